/* Directives that run over several lines: their lines are no declarations. */

#define GS_USEIDLIST(firstObject, code...) ({\
  va_list __ap; \
  unsigned int __max = GS_MAX_OBJECTS_FROM_STACK; \
  id __buf[__max]; \
  code; \
})

#if defined(KIT_ONE) \
  || defined(KIT_TWO)
int kitHidden;
#endif

#define KIT_POOL(X) \
  NSAutoreleasePool *X = [NSAutoreleasePool new]

extern int KitVisible;
