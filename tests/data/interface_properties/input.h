/* Properties in class, category and protocol bodies, in the shape of a notification header.
   Each becomes the method strings of its accessors, in declaration order among the methods. */

#import <Foundation/NSObject.h>

@class NSString, NSDate, NSArray;

@protocol NSNoticeCenterDelegate <NSObject>
@optional
- (void) noticeCenter: (id)center didDeliver: (id)notice;
@property (readonly) NSUInteger pendingCount;
@required
- (BOOL) noticeCenter: (id)center shouldPresent: (id)notice;
@property (copy) NSString *name;   // getter and setter
@end

@interface NSNotice : NSObject <NSCopying>
{
  id _uniqueId;
}
@property (copy) NSString *title;
@property (readonly) NSDate *actualDeliveryDate;
@property (readonly, getter=isPresented) BOOL presented;
@property BOOL hasActionButton;
@property (assign) id <NSNoticeCenterDelegate> delegate;
@property (nonatomic, setter=setTagNumber:) unsigned int tag;
@property (class, readonly, strong)
  NSNotice *defaultNotice;
@property int width, *heights;
@property (copy) void (^completion)(BOOL finished);
/* a comment between declarations */
- (void) deliver;
@end

@interface NSNotice (Scheduling)
@property (copy) NSDate *deliveryDate;
+ (NSArray *) scheduledNotices;
@end

@interface NSCutShort : NSObject
@property (readonly) int count
@end

@interface NSAfterCutShort : NSObject
- (void) stillRead;
@end
