/* NSWidgetAdditions.h
   Categories on NSWidget and the informal delegate protocol.
*/

#import <Foundation/NSObject.h>
#import "NSWidget.h"

@interface NSWidget (Extras)
- (void) flash;
- (BOOL) isFlashing;
@end

@interface NSWidget (Private) <NSLocking>
+ (void) _setupWidgetClass;
@end

@interface NSWidgetCell : NSObject // a cell that a widget draws with
{
  id	_owner;
  int	_tag;
}
- (id) owner;
@end

@interface NSWidget(EmptyCategory)
@end

@interface NSWidgetRoot
+ (id) alloc;
@end

@interface NSObject (NSWidgetDelegate)
- (BOOL) widgetShouldFlash: (NSWidget*)sender;
- (void) widgetDidFlash: (NSNotification *)aNotification;
- (void) unfinishedDeclaration
@end
