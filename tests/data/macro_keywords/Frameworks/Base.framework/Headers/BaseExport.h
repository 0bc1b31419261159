/* Export macros, in the shape of a framework's defines header. */
#ifndef __BaseExport_h_INCLUDE
#define __BaseExport_h_INCLUDE

#ifdef BUILDING_DLL
#  define BASE_EXPORT extern __declspec(dllexport)
#else
#  define BASE_EXPORT extern
#endif

#define APPKIT_EXTERN extern
#define KIT_EXPORT APPKIT_EXTERN
#define KIT_INLINE CG_INLINE
#define BASE_EXPORT_CLASS
#define BASE_EXTERNALS externals
#define BASE_DECLARE(name) extern id name
#define BASE_LOOP_A BASE_LOOP_B
#define BASE_LOOP_B BASE_LOOP_A

/* C linkage blocks and whole declarations are no prefix of what follows them. */
#ifdef __cplusplus
#  define BASE_BEGIN_DECLS extern "C" {
#  define BASE_END_DECLS }
#else
#  define BASE_BEGIN_DECLS
#  define BASE_END_DECLS
#endif
#define BASE_DECLARE_ERROR extern NSString *BaseError;

#endif
