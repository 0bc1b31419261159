/* Forward declarations and names in parentheses, in the shape of a framework session header. */

@protocol NSFilePresenter;
@protocol NSURLSessionDelegate, NSURLSessionTaskDelegate;
@protocol GSLogDelegate <NSObject> // defined in the debug header; see there
- (void)ignoredMethod;
@end

@protocol GSCategoryLike (Extras)
- (void)alsoIgnored;
@end

@protocol NSFilePresenter <NSObject>
- (NSURL *)presentedItemURL;
@end

@protocol NSURLSessionTaskDelegate <NSURLSessionDelegate>
- (void)URLSession:(NSURLSession *)session
              task:(NSURLSessionTask *)task
didCompleteWithError:(NSError *)error;
@end
