/* Class extensions, "@interface X ()", kept as categories named "" as clang names them: bare,
   with protocols, and with only a comment between the parentheses. */

@interface NSClipView ()
- (NSRect)constrainBoundsRect:(NSRect)proposedBounds;
@property BOOL copiesOnScroll;
@end

@interface NSImage () <NSCopying, NSSecureCoding>
@end

@interface NSFileHandle (/* Deprecations */)
- (NSData *)readDataToEndOfFile;
@end

@interface NSFileHandle (NSFileHandleCreation)
+ (NSFileHandle *)fileHandleWithStandardInput;
@end
