/* Attribute macros as the define records see them; API_AVAILABLE and the like are not
   defined here, as in a framework whose system headers are out of sight. */
#ifndef __KitDefines_h_INCLUDE
#define __KitDefines_h_INCLUDE

#define IBOutlet
#define NS_SWIFT_UI_ACTOR __attribute__((swift_attr("@UIActor")))
#define NS_SWIFT_SENDABLE __attribute__((swift_attr("@Sendable")))
#define NS_RETURNS_INNER_POINTER __attribute__((objc_returns_inner_pointer))

#endif
