#import <Kit/KitObject.h>

@interface KitView : KitObject
- (id)initWithFrame:(int)frame;
- (void)display;
- (void)setNeedsDisplay:(BOOL)flag;
@end

@interface KitView (Drawing)
- (void)drawRect:(KitRect)rect;
@end

@interface KitButton : KitView
- (void)setTitle:(id)title;
@end

@interface KitLabel : KitView
- (void)setText:(id)text;
@end
