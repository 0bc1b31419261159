/* Types named in capitals with "_", as the CSSM headers name them: no record defines them, and
   before a "*" they are the type, not a calling convention. */
typedef struct cssm_memory_funcs {
    void *AllocRef;
} CSSM_MEMORY_FUNCS, *CSSM_MEMORY_FUNCS_PTR;

typedef CSSM_MEMORY_FUNCS CSSM_API_MEMORY_FUNCS;
typedef CSSM_API_MEMORY_FUNCS *CSSM_API_MEMORY_FUNCS_PTR DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER;
typedef void (CSSM_API *CSSM_PROC_ADDR)(void);
typedef CSSM_PROC_ADDR *CSSM_PROC_ADDR_PTR;
typedef CSSM_RETURN (CSSM_API *CSSM_CALLBACK)(CSSM_DATA_PTR OutData, void *CallerCtx);
