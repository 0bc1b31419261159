#import <Av/AvDefines.h>

@interface AvView
- (void)seven API_AVAILABLE(macos(10.7));
- (void)eleven API_AVAILABLE(macos(10.11));
- (void)first API_DEPRECATED("Use -second", 10.1, 10.4);
- (void)second API_DEPRECATED("Use -third", 10.2, 10.5);
- (void)third API_DEPRECATED(  "Use -fourth",
                               10.3, 10.6);
- (void)named AV_SINCE_NAMED(12);
- (void)namedAgain AV_SINCE_NAMED(13);
- (void)tenSix AV_SINCE_TEN(6);
- (void)tenEight AV_SINCE_TEN(8);
- (void)withMac AV_WITH(macos, 10.6);
- (void)withPhone AV_WITH(ios, 9.0);
- (void)withMacro AV_WITH(AV_MAC, 10.4);
- (void)pastedMac AV_PLATFORM(mac, 10.2);
- (void)pastedPhone AV_PLATFORM(i, 8.0);
- (void)renamed AV_RENAMED(newName);
- (void)renamedAgain AV_RENAMED(otherName);
@end
