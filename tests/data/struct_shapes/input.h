/* Structs and unions with their names written among attributes, in the manner of Carbon and
   Security headers. */

struct __attribute__((packed)) KitPacked {
    char tag;
    int value;
};

struct API_AVAILABLE(macos(14.0)) KitAvailable {
    BOOL enabled;
};

typedef struct DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER {
    CSSM_LIST Issuer;
    CSSM_BOOL Delegate;
} KitTuple DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER, *KitTuplePtr DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER;

struct evsioKeymapping /* Match old struct names in kernel */ {
    int size;
    char *mapping;
};

union KitArrayData {
    short kShortArray[1];
    long kLongArray[1];
};

typedef union {
    float f;
    int i;
} KitNumber;

typedef struct {
    int x;
} KitAnonymous, *KitAnonymousPtr;

/* Declarations only: no records. */
struct KitForward;
struct KitForward *KitForwardMake(void);
