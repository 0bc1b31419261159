/* Enums without macros, in the shape of a framework header: plain, anonymous, with a fixed
   type, typedef'd, with directives and attributes, and words after "enum" that declare no
   enum. */

enum { KitPlainA, KitPlainB = 4 };

enum KitTagged : unsigned char {
    KitTaggedA = 0x01, // one
    KitTaggedB = 0x02  /* two */
};

enum __attribute__((flag_enum)) KitAttributed {
    KitAttributedA = 1
};

typedef enum _KitEdge {
    KitEdgeMin,
#if 0
    KitEdgeHidden,
#endif
    KitEdgeMax
} KitEdge, *KitEdgePointer;

typedef enum : long {
    KitAnonymousA
} KitAnonymous;

typedef enum KitSame { KitSameA } KitSame;

typedef enum KitForward KitForwardName;

enum KitTagged KitTaggedValue(void);
extern enum KitTagged KitTaggedVariable;
enum KitTagged;
