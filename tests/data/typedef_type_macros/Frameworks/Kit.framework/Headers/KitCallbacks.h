/* Types written through a macro, with an availability macro after the name that the define
   records cannot tell (it pastes its arguments together) or do not know at all. */
#define KIT_INTERNAL_10_0_DEP_10_6 __attribute__((availability(macosx,introduced=10.0,deprecated=10.6)))
#define KIT_BUT_DEPRECATED(intro, dep) KIT_INTERNAL##intro##_DEP##dep
#define KIT_DEPRECATED_10_6 KIT_BUT_DEPRECATED(_10_0, _10_6)
#define STACK_UPP_TYPE(name) name
#define CALLBACK_API(_type, _name) _type (*_name)

typedef CALLBACK_API( OSErr , KitIterateProcPtr )(KitInfo *info, void *refCon) KIT_DEPRECATED_10_6;
typedef STACK_UPP_TYPE(KitIterateProcPtr)                 KitIterateUPP KIT_DEPRECATED_10_6;
typedef STACK_UPP_TYPE(KitIterateProcPtr) KitOtherUPP DEPRECATED_IN_KIT_VERSION_2_AND_LATER;
extern KitIterateUPP KIT_DEPRECATED_10_6 KitNewIterateUPP(KitIterateProcPtr userRoutine);
