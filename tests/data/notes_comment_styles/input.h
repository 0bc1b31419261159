/* Each style of documentation comment before a declaration, and the comments that are not
   the declaration's. (This first comment is parted from the class by a blank line.) */

/**
 * A view in the HeaderDoc style.
 *
 * @discussion Draws itself.
 */
@interface DocView : DocResponder
{
    int _tag; ///< a field's trailing comment belongs to no method
}
/*! @abstract The frame, in the style of Doxygen's exclamation. */
- (NSRect)frame;
/// A run of three slashes,
/// two lines long.
- (void)setFrame:(NSRect)frame;
//! Doxygen's other line style.
- (void)display;
// A plain run of two slashes
// right above the method.
- (void)lockFocus;
/* A plain block right above. */
- (void)unlockFocus;
/* A plain block parted by a blank line is not the method's. */

- (void)noComment;
- (void)trailing; // a comment after the declaration is not the next one's
- (void)afterTrailing;
/** A documentation comment wins over a plain one after it. */
// plain note
- (void)both;
/** The property's comment goes to both accessors. */
@property (copy) NSString *title;
@end

/** A protocol. */
@protocol DocDelegate
/** Asked first. */
- (BOOL)docShouldBegin:(DocView *)view;
@end

/** Makes a rect. */
extern NSRect DocMakeRect(float x, float y);

enum {
    DocFirst = 1,  ///< The first.
    DocSecond,     //!< The second.
    /** The third, documented above. */
    DocThird,
    DocFourth      // a plain trailing comment is not kept
};
