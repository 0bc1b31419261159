/* NSWidgetFunctions.h
   Functions and constants of the widget kit.
*/

#ifndef _KESTREL_WIDGET_FUNCTIONS_H
#define _KESTREL_WIDGET_FUNCTIONS_H

#import <Foundation/NSObjCRuntime.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The same opening, unguarded, as some headers write it. */
extern "C" {

/* Availability macros vanish from the stored declarations. */
extern NSString *NSStringFromWidget(NSWidget *aWidget) AVAILABLE_MAC_OS_X_VERSION_10_4_AND_LATER;
extern void NSWidgetBeep (void);
extern const char * const NSWidgetVersionString;
extern int NSWidgetFlashCount WEAK_IMPORT_ATTRIBUTE;
extern NSRect NSWidgetUnionRect(NSRect aRect,
                                NSRect bRect);
extern double NSWidgetScale(
#if defined(__OBJC__)
        id widget,
#else
        void *widget,
#endif
        double factor);

APPKIT_EXTERN NSString *NSWidgetDidFlashNotification;	// userInfo: @"NSWidget"
APPKIT_EXTERN NSString * NSWidgetWillFlashNotification;
APPKIT_EXTERN void NSWidgetSetDefaultColor (NSColor *aColor);

CG_EXTERN void CGWidgetRelease(CGWidgetRef widget);
CG_EXTERN CGFloat CGWidgetGetAlpha (CGWidgetRef widget) AVAILABLE_MAC_OS_X_VERSION_10_3_AND_LATER;

FOUNDATION_EXPORT NSString *NSWidgetErrorDomain;
FOUNDATION_EXPORT NSString *	NSWidgetNameKey;   /* a tab after the star */
FOUNDATION_EXPORT void NSWidgetLog(NSString *format, ...);

}

#ifdef __cplusplus
}
#endif

#endif /* _KESTREL_WIDGET_FUNCTIONS_H */
