/* The qualifiers the macros stand for are what the texts keep. */
#import <Kit/KitBase.h>

typedef struct KitSource * KitSourceRef;
typedef void (*KitSourceCallback)(KitSourceRef kit_Nonnull source, void * kit_Nullable info);

KIT_EXPORT CFStringRef kit_Nullable KitSourceCopyName(KitSourceRef kit_Nonnull source);
KIT_EXPORT CFArrayRef KIT_NULLABLE_RESULT KitSourceCopyTypes(void);
KIT_EXPORT const CFStringRef kit_Nonnull kKitSourceTypeKey;
size_t KitSourceGetCount(KitSourceRef kit_Nonnull source, int count);
