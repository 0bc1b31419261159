/* NSWidget.h
   Interface for a view-like object that draws itself.

   Copyright (C) 2026 The Kestrel developers.

   This file is part of the Kestrel test data.
*/

#ifndef _KESTREL_NSWIDGET_H
#define _KESTREL_NSWIDGET_H

#import <Foundation/NSObject.h>
#import <Foundation/NSGeometry.h>

@class NSString, NSColor;

@interface NSWidget : NSObject <NSCoding, NSCopying>
{
  @private
    NSRect		_frame;
    id			_delegate;
    NSColor		*_backgroundColor;
    enum {
	NSWidgetIdle = 0,
	NSWidgetBusy = 1
    } _state;
    struct __widgetFlags {
        unsigned int	visible:1;
        unsigned int	enabled:1;
        unsigned int	reserved:30;
    } _wFlags;
  @protected
    void		*_reserved;	/* for later { use } */
}

/* Creating widgets */
+ (id) widgetWithFrame: (NSRect)frame;
- (id) initWithFrame: (NSRect)frameRect;

// Accessors
- (NSRect) frame;
- (void) setFrame: (NSRect)frame
	  display: (BOOL)flag;
- (unsigned int) count;
- (const char *) cString;
- (unsigned long long) size;
+ (id) arrayWithObjects: (id)firstObj, ...;
- (id <NSCopying>) key;
- (void) setDelegate: (id)anObject;	/* not retained */
- (id) delegate;

// Drawing
- (void) display AVAILABLE_MAC_OS_X_VERSION_10_4_AND_LATER;
- (void) setNeedsDisplay: (BOOL)flag DEPRECATED_IN_MAC_OS_X_VERSION_10_4_AND_LATER;
- (void) drawRect: (NSRect)rect
       withColor: /* may be nil */ (NSColor *)aColor;

@end

#endif /* _KESTREL_NSWIDGET_H */
