/* Attributes beside a struct's names are no part of them (GNUstep's GSConfig.h writes the
   second form). */

struct __attribute__((packed)) KitPacked {
  char tag;
  int value;
};

typedef struct {
  uint8_t dummy[48];
} gs_cond_t	__attribute__((aligned (8)));

typedef struct _KitAligned {
  double d;
} KitAligned __attribute__ ((aligned(16)));
