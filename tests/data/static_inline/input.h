/* Inline functions written out as "static inline", in the shape of a byte-order header:
   each is read as a CG_INLINE function, prototype or definition. */

static inline uint16_t
GSSwapI16(uint16_t in) __attribute__((unused));

static inline uint16_t
GSSwapI16(uint16_t in)
{
  return (in << 8) | (in >> 8);
}

static __inline__ NSPoint NSMakePoint(CGFloat x, CGFloat y)
{
  NSPoint p = { x, y };
  return p;
}

/* Other words after "static" are read as before. */
static struct _GSState { int depth; } gsState;
static inlined_t notInline;
static
inline int onTheNextLine(void);
