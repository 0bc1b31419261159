/* Type qualifiers inside the parentheses of method types keep one space after them, as const
   and unsigned do; outside parentheses the same words are ordinary selector words. */

#import <Foundation/NSObject.h>

@protocol GSPasteboardServer
- (oneway void) release;
- (int) addTypes: (in bycopy NSArray*)types
           owner: (id)owner;
- (bycopy NSArray*) typesAndChangeCount: (int*)count;
- (BOOL) getBytes: (out void*)buffer length: (inout unsigned*)length;
- (void) forward: (byref id)target;
@end

@interface NSPickerView : NSObject
- (nullable NSString *) titleForRow: (NSInteger)row;
- (void) setDelegate: (nonnull id)delegate;
- (null_unspecified id) dataSource;
- (NSString * _Nullable) placeholder;
- (void) setPlaceholder: (NSString * _Nonnull)aString;
- (__kindof NSView *) viewForRow: (NSInteger)row;
- (void) selectRow: (NSInteger)row in: (NSInteger)component;
- (id) out;
- (const char *) cString;
@end
