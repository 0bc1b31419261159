// Written by scripts/target_tables.py from what clang 14 predefines and answers for each
// target; edit the script, not this file.
#include "core/parse/CompileTargetTables.h"

namespace kestrel {

namespace {

constexpr std::string_view kCommonPredefines = R"(#define IBAction void)__attribute__((ibaction)
#define IBInspectable 
#define IBOutlet __attribute__((iboutlet))
#define IBOutletCollection(ClassName) __attribute__((iboutletcollection(ClassName)))
#define IB_DESIGNABLE 
#define OBJC_NEW_PROPERTIES 1
#define OBJC_ZEROCOST_EXCEPTIONS 1
#define _LP64 1
#define __ATOMIC_ACQUIRE 2
#define __ATOMIC_ACQ_REL 4
#define __ATOMIC_CONSUME 1
#define __ATOMIC_RELAXED 0
#define __ATOMIC_RELEASE 3
#define __ATOMIC_SEQ_CST 5
#define __BITINT_MAXWIDTH__ 128
#define __BOOL_WIDTH__ 8
#define __BYTE_ORDER__ __ORDER_LITTLE_ENDIAN__
#define __CHAR16_TYPE__ unsigned short
#define __CHAR32_TYPE__ unsigned int
#define __CHAR_BIT__ 8
#define __CLANG_ATOMIC_BOOL_LOCK_FREE 2
#define __CLANG_ATOMIC_CHAR16_T_LOCK_FREE 2
#define __CLANG_ATOMIC_CHAR32_T_LOCK_FREE 2
#define __CLANG_ATOMIC_CHAR_LOCK_FREE 2
#define __CLANG_ATOMIC_INT_LOCK_FREE 2
#define __CLANG_ATOMIC_LLONG_LOCK_FREE 2
#define __CLANG_ATOMIC_LONG_LOCK_FREE 2
#define __CLANG_ATOMIC_POINTER_LOCK_FREE 2
#define __CLANG_ATOMIC_SHORT_LOCK_FREE 2
#define __CLANG_ATOMIC_WCHAR_T_LOCK_FREE 2
#define __CONSTANT_CFSTRINGS__ 1
#define __DBL_DECIMAL_DIG__ 17
#define __DBL_DENORM_MIN__ 4.9406564584124654e-324
#define __DBL_DIG__ 15
#define __DBL_EPSILON__ 2.2204460492503131e-16
#define __DBL_HAS_DENORM__ 1
#define __DBL_HAS_INFINITY__ 1
#define __DBL_HAS_QUIET_NAN__ 1
#define __DBL_MANT_DIG__ 53
#define __DBL_MAX_10_EXP__ 308
#define __DBL_MAX_EXP__ 1024
#define __DBL_MAX__ 1.7976931348623157e+308
#define __DBL_MIN_10_EXP__ (-307)
#define __DBL_MIN_EXP__ (-1021)
#define __DBL_MIN__ 2.2250738585072014e-308
#define __DECIMAL_DIG__ __LDBL_DECIMAL_DIG__
#define __EXCEPTIONS 1
#define __FINITE_MATH_ONLY__ 0
#define __FLT_DECIMAL_DIG__ 9
#define __FLT_DENORM_MIN__ 1.40129846e-45F
#define __FLT_DIG__ 6
#define __FLT_EPSILON__ 1.19209290e-7F
#define __FLT_EVAL_METHOD__ 0
#define __FLT_HAS_DENORM__ 1
#define __FLT_HAS_INFINITY__ 1
#define __FLT_HAS_QUIET_NAN__ 1
#define __FLT_MANT_DIG__ 24
#define __FLT_MAX_10_EXP__ 38
#define __FLT_MAX_EXP__ 128
#define __FLT_MAX__ 3.40282347e+38F
#define __FLT_MIN_10_EXP__ (-37)
#define __FLT_MIN_EXP__ (-125)
#define __FLT_MIN__ 1.17549435e-38F
#define __FLT_RADIX__ 2
#define __GCC_ATOMIC_BOOL_LOCK_FREE 2
#define __GCC_ATOMIC_CHAR16_T_LOCK_FREE 2
#define __GCC_ATOMIC_CHAR32_T_LOCK_FREE 2
#define __GCC_ATOMIC_CHAR_LOCK_FREE 2
#define __GCC_ATOMIC_INT_LOCK_FREE 2
#define __GCC_ATOMIC_LLONG_LOCK_FREE 2
#define __GCC_ATOMIC_LONG_LOCK_FREE 2
#define __GCC_ATOMIC_POINTER_LOCK_FREE 2
#define __GCC_ATOMIC_SHORT_LOCK_FREE 2
#define __GCC_ATOMIC_TEST_AND_SET_TRUEVAL 1
#define __GCC_ATOMIC_WCHAR_T_LOCK_FREE 2
#define __GCC_HAVE_DWARF2_CFI_ASM 1
#define __GCC_HAVE_SYNC_COMPARE_AND_SWAP_1 1
#define __GCC_HAVE_SYNC_COMPARE_AND_SWAP_2 1
#define __GCC_HAVE_SYNC_COMPARE_AND_SWAP_4 1
#define __GCC_HAVE_SYNC_COMPARE_AND_SWAP_8 1
#define __GNUC_MINOR__ 2
#define __GNUC_PATCHLEVEL__ 1
#define __GNUC_STDC_INLINE__ 1
#define __GNUC__ 4
#define __GXX_ABI_VERSION 1002
#define __INT16_C_SUFFIX__ 
#define __INT16_FMTd__ "hd"
#define __INT16_FMTi__ "hi"
#define __INT16_MAX__ 32767
#define __INT16_TYPE__ short
#define __INT32_C_SUFFIX__ 
#define __INT32_FMTd__ "d"
#define __INT32_FMTi__ "i"
#define __INT32_MAX__ 2147483647
#define __INT32_TYPE__ int
#define __INT8_C_SUFFIX__ 
#define __INT8_FMTd__ "hhd"
#define __INT8_FMTi__ "hhi"
#define __INT8_MAX__ 127
#define __INT8_TYPE__ signed char
#define __INTMAX_C_SUFFIX__ L
#define __INTMAX_FMTd__ "ld"
#define __INTMAX_FMTi__ "li"
#define __INTMAX_MAX__ 9223372036854775807L
#define __INTMAX_TYPE__ long int
#define __INTMAX_WIDTH__ 64
#define __INTPTR_FMTd__ "ld"
#define __INTPTR_FMTi__ "li"
#define __INTPTR_MAX__ 9223372036854775807L
#define __INTPTR_TYPE__ long int
#define __INTPTR_WIDTH__ 64
#define __INT_FAST16_FMTd__ "hd"
#define __INT_FAST16_FMTi__ "hi"
#define __INT_FAST16_MAX__ 32767
#define __INT_FAST16_TYPE__ short
#define __INT_FAST16_WIDTH__ 16
#define __INT_FAST32_FMTd__ "d"
#define __INT_FAST32_FMTi__ "i"
#define __INT_FAST32_MAX__ 2147483647
#define __INT_FAST32_TYPE__ int
#define __INT_FAST32_WIDTH__ 32
#define __INT_FAST64_WIDTH__ 64
#define __INT_FAST8_FMTd__ "hhd"
#define __INT_FAST8_FMTi__ "hhi"
#define __INT_FAST8_MAX__ 127
#define __INT_FAST8_TYPE__ signed char
#define __INT_FAST8_WIDTH__ 8
#define __INT_LEAST16_FMTd__ "hd"
#define __INT_LEAST16_FMTi__ "hi"
#define __INT_LEAST16_MAX__ 32767
#define __INT_LEAST16_TYPE__ short
#define __INT_LEAST16_WIDTH__ 16
#define __INT_LEAST32_FMTd__ "d"
#define __INT_LEAST32_FMTi__ "i"
#define __INT_LEAST32_MAX__ 2147483647
#define __INT_LEAST32_TYPE__ int
#define __INT_LEAST32_WIDTH__ 32
#define __INT_LEAST64_WIDTH__ 64
#define __INT_LEAST8_FMTd__ "hhd"
#define __INT_LEAST8_FMTi__ "hhi"
#define __INT_LEAST8_MAX__ 127
#define __INT_LEAST8_TYPE__ signed char
#define __INT_LEAST8_WIDTH__ 8
#define __INT_MAX__ 2147483647
#define __INT_WIDTH__ 32
#define __LDBL_HAS_DENORM__ 1
#define __LDBL_HAS_INFINITY__ 1
#define __LDBL_HAS_QUIET_NAN__ 1
#define __LITTLE_ENDIAN__ 1
#define __LLONG_WIDTH__ 64
#define __LONG_LONG_MAX__ 9223372036854775807LL
#define __LONG_MAX__ 9223372036854775807L
#define __LONG_WIDTH__ 64
#define __LP64__ 1
#define __NEXT_RUNTIME__ 1
#define __NO_INLINE__ 1
#define __OBJC2__ 1
#define __OBJC__ 1
#define __OPENCL_MEMORY_SCOPE_ALL_SVM_DEVICES 3
#define __OPENCL_MEMORY_SCOPE_DEVICE 2
#define __OPENCL_MEMORY_SCOPE_SUB_GROUP 4
#define __OPENCL_MEMORY_SCOPE_WORK_GROUP 1
#define __OPENCL_MEMORY_SCOPE_WORK_ITEM 0
#define __ORDER_BIG_ENDIAN__ 4321
#define __ORDER_LITTLE_ENDIAN__ 1234
#define __ORDER_PDP_ENDIAN__ 3412
#define __PIC__ 2
#define __POINTER_WIDTH__ 64
#define __PRAGMA_REDEFINE_EXTNAME 1
#define __PTRDIFF_FMTd__ "ld"
#define __PTRDIFF_FMTi__ "li"
#define __PTRDIFF_MAX__ 9223372036854775807L
#define __PTRDIFF_TYPE__ long int
#define __PTRDIFF_WIDTH__ 64
#define __REGISTER_PREFIX__ 
#define __SCHAR_MAX__ 127
#define __SHRT_MAX__ 32767
#define __SHRT_WIDTH__ 16
#define __SIG_ATOMIC_MAX__ 2147483647
#define __SIG_ATOMIC_WIDTH__ 32
#define __SIZEOF_DOUBLE__ 8
#define __SIZEOF_FLOAT__ 4
#define __SIZEOF_INT128__ 16
#define __SIZEOF_INT__ 4
#define __SIZEOF_LONG_LONG__ 8
#define __SIZEOF_LONG__ 8
#define __SIZEOF_POINTER__ 8
#define __SIZEOF_PTRDIFF_T__ 8
#define __SIZEOF_SHORT__ 2
#define __SIZEOF_SIZE_T__ 8
#define __SIZEOF_WCHAR_T__ 4
#define __SIZEOF_WINT_T__ 4
#define __SIZE_FMTX__ "lX"
#define __SIZE_FMTo__ "lo"
#define __SIZE_FMTu__ "lu"
#define __SIZE_FMTx__ "lx"
#define __SIZE_MAX__ 18446744073709551615UL
#define __SIZE_TYPE__ long unsigned int
#define __SIZE_WIDTH__ 64
#define __STDC_HOSTED__ 1
#define __STDC_UTF_16__ 1
#define __STDC_UTF_32__ 1
#define __STDC_VERSION__ 201112L
#define __STDC__ 1
#define __UINT16_C_SUFFIX__ 
#define __UINT16_FMTX__ "hX"
#define __UINT16_FMTo__ "ho"
#define __UINT16_FMTu__ "hu"
#define __UINT16_FMTx__ "hx"
#define __UINT16_MAX__ 65535
#define __UINT16_TYPE__ unsigned short
#define __UINT32_C_SUFFIX__ U
#define __UINT32_FMTX__ "X"
#define __UINT32_FMTo__ "o"
#define __UINT32_FMTu__ "u"
#define __UINT32_FMTx__ "x"
#define __UINT32_MAX__ 4294967295U
#define __UINT32_TYPE__ unsigned int
#define __UINT8_C_SUFFIX__ 
#define __UINT8_FMTX__ "hhX"
#define __UINT8_FMTo__ "hho"
#define __UINT8_FMTu__ "hhu"
#define __UINT8_FMTx__ "hhx"
#define __UINT8_MAX__ 255
#define __UINT8_TYPE__ unsigned char
#define __UINTMAX_C_SUFFIX__ UL
#define __UINTMAX_FMTX__ "lX"
#define __UINTMAX_FMTo__ "lo"
#define __UINTMAX_FMTu__ "lu"
#define __UINTMAX_FMTx__ "lx"
#define __UINTMAX_MAX__ 18446744073709551615UL
#define __UINTMAX_TYPE__ long unsigned int
#define __UINTMAX_WIDTH__ 64
#define __UINTPTR_FMTX__ "lX"
#define __UINTPTR_FMTo__ "lo"
#define __UINTPTR_FMTu__ "lu"
#define __UINTPTR_FMTx__ "lx"
#define __UINTPTR_MAX__ 18446744073709551615UL
#define __UINTPTR_TYPE__ long unsigned int
#define __UINTPTR_WIDTH__ 64
#define __UINT_FAST16_FMTX__ "hX"
#define __UINT_FAST16_FMTo__ "ho"
#define __UINT_FAST16_FMTu__ "hu"
#define __UINT_FAST16_FMTx__ "hx"
#define __UINT_FAST16_MAX__ 65535
#define __UINT_FAST16_TYPE__ unsigned short
#define __UINT_FAST32_FMTX__ "X"
#define __UINT_FAST32_FMTo__ "o"
#define __UINT_FAST32_FMTu__ "u"
#define __UINT_FAST32_FMTx__ "x"
#define __UINT_FAST32_MAX__ 4294967295U
#define __UINT_FAST32_TYPE__ unsigned int
#define __UINT_FAST8_FMTX__ "hhX"
#define __UINT_FAST8_FMTo__ "hho"
#define __UINT_FAST8_FMTu__ "hhu"
#define __UINT_FAST8_FMTx__ "hhx"
#define __UINT_FAST8_MAX__ 255
#define __UINT_FAST8_TYPE__ unsigned char
#define __UINT_LEAST16_FMTX__ "hX"
#define __UINT_LEAST16_FMTo__ "ho"
#define __UINT_LEAST16_FMTu__ "hu"
#define __UINT_LEAST16_FMTx__ "hx"
#define __UINT_LEAST16_MAX__ 65535
#define __UINT_LEAST16_TYPE__ unsigned short
#define __UINT_LEAST32_FMTX__ "X"
#define __UINT_LEAST32_FMTo__ "o"
#define __UINT_LEAST32_FMTu__ "u"
#define __UINT_LEAST32_FMTx__ "x"
#define __UINT_LEAST32_MAX__ 4294967295U
#define __UINT_LEAST32_TYPE__ unsigned int
#define __UINT_LEAST8_FMTX__ "hhX"
#define __UINT_LEAST8_FMTo__ "hho"
#define __UINT_LEAST8_FMTu__ "hhu"
#define __UINT_LEAST8_FMTx__ "hhx"
#define __UINT_LEAST8_MAX__ 255
#define __UINT_LEAST8_TYPE__ unsigned char
#define __VERSION__ "Debian Clang 14.0.6"
#define __WCHAR_MAX__ 2147483647
#define __WCHAR_TYPE__ int
#define __WCHAR_WIDTH__ 32
#define __WINT_WIDTH__ 32
#define __autoreleasing __attribute__((objc_ownership(autoreleasing)))
#define __clang__ 1
#define __clang_literal_encoding__ "UTF-8"
#define __clang_major__ 14
#define __clang_minor__ 0
#define __clang_patchlevel__ 6
#define __clang_version__ "14.0.6 "
#define __clang_wide_literal_encoding__ "UTF-32"
#define __llvm__ 1
#define __pic__ 2
#define __strong __attribute__((objc_ownership(strong)))
#define __unsafe_unretained __attribute__((objc_ownership(none)))
#define __weak __attribute__((objc_ownership(weak)))
)";

constexpr std::string_view kCommonHasFeature[] = {
    "arc_cf_code_audited",
    "assume_nonnull",
    "attribute_analyzer_noreturn",
    "attribute_availability",
    "attribute_availability_app_extension",
    "attribute_availability_in_templates",
    "attribute_availability_swift",
    "attribute_availability_tvos",
    "attribute_availability_watchos",
    "attribute_availability_with_message",
    "attribute_availability_with_replacement",
    "attribute_availability_with_strict",
    "attribute_availability_with_version_underscores",
    "attribute_cf_consumed",
    "attribute_cf_returns_not_retained",
    "attribute_cf_returns_on_parameters",
    "attribute_cf_returns_retained",
    "attribute_deprecated_with_message",
    "attribute_deprecated_with_replacement",
    "attribute_diagnose_if_objc",
    "attribute_ext_vector_type",
    "attribute_ns_consumed",
    "attribute_ns_consumes_self",
    "attribute_ns_returns_not_retained",
    "attribute_ns_returns_retained",
    "attribute_objc_ivar_unused",
    "attribute_objc_method_family",
    "attribute_overloadable",
    "attribute_unavailable_with_message",
    "attribute_unused_on_fields",
    "c_alignas",
    "c_alignof",
    "c_atomic",
    "c_generic_selections",
    "c_static_assert",
    "c_thread_local",
    "enumerator_attributes",
    "nullability",
    "nullability_nullable_result",
    "nullability_on_arrays",
    "objc_arc_fields",
    "objc_array_literals",
    "objc_bool",
    "objc_boxed_expressions",
    "objc_boxed_nsvalue_expressions",
    "objc_bridge_id",
    "objc_bridge_id_on_typedefs",
    "objc_class_property",
    "objc_default_synthesize_properties",
    "objc_dictionary_literals",
    "objc_fixed_enum",
    "objc_generics",
    "objc_generics_variance",
    "objc_instancetype",
    "objc_kindof",
    "objc_nonfragile_abi",
    "objc_property_explicit_atomic",
    "objc_protocol_qualifier_mangling",
    "objc_subscripting",
    "objc_weak_class",
    "ownership_holds",
    "ownership_returns",
    "ownership_takes",
    "swiftasynccc",
    "tls",
};

constexpr std::string_view kCommonHasExtension[] = {
    "arc_cf_code_audited",
    "assume_nonnull",
    "attribute_analyzer_noreturn",
    "attribute_availability",
    "attribute_availability_app_extension",
    "attribute_availability_in_templates",
    "attribute_availability_swift",
    "attribute_availability_tvos",
    "attribute_availability_watchos",
    "attribute_availability_with_message",
    "attribute_availability_with_replacement",
    "attribute_availability_with_strict",
    "attribute_availability_with_version_underscores",
    "attribute_cf_consumed",
    "attribute_cf_returns_not_retained",
    "attribute_cf_returns_on_parameters",
    "attribute_cf_returns_retained",
    "attribute_deprecated_with_message",
    "attribute_deprecated_with_replacement",
    "attribute_diagnose_if_objc",
    "attribute_ext_vector_type",
    "attribute_ns_consumed",
    "attribute_ns_consumes_self",
    "attribute_ns_returns_not_retained",
    "attribute_ns_returns_retained",
    "attribute_objc_ivar_unused",
    "attribute_objc_method_family",
    "attribute_overloadable",
    "attribute_unavailable_with_message",
    "attribute_unused_on_fields",
    "c_alignas",
    "c_alignof",
    "c_atomic",
    "c_generic_selections",
    "c_static_assert",
    "c_thread_local",
    "cxx_binary_literals",
    "cxx_fixed_enum",
    "enumerator_attributes",
    "gnu_asm",
    "gnu_asm_goto_with_outputs",
    "nullability",
    "nullability_nullable_result",
    "nullability_on_arrays",
    "objc_arc_fields",
    "objc_array_literals",
    "objc_bool",
    "objc_boxed_expressions",
    "objc_boxed_nsvalue_expressions",
    "objc_bridge_id",
    "objc_bridge_id_on_typedefs",
    "objc_class_property",
    "objc_default_synthesize_properties",
    "objc_dictionary_literals",
    "objc_fixed_enum",
    "objc_generics",
    "objc_generics_variance",
    "objc_instancetype",
    "objc_kindof",
    "objc_nonfragile_abi",
    "objc_property_explicit_atomic",
    "objc_protocol_qualifier_mangling",
    "objc_subscripting",
    "objc_weak_class",
    "ownership_holds",
    "ownership_returns",
    "ownership_takes",
    "pragma_clang_attribute_external_declaration",
    "pragma_clang_attribute_namespaces",
    "swiftasynccc",
    "tls",
};

constexpr std::string_view kCommonHasAttribute[] = {
    "__always_inline__",
    "__cold__",
    "__const__",
    "__deprecated__",
    "__diagnose_if__",
    "__enable_if__",
    "__ext_vector_type__",
    "__fallthrough__",
    "__format__",
    "__init_priority__",
    "__malloc__",
    "__no_destroy__",
    "__no_sanitize__",
    "__nodebug__",
    "__noreturn__",
    "__overloadable__",
    "__packed__",
    "__preferred_name__",
    "__require_constant_initialization__",
    "__sentinel__",
    "__standalone_debug__",
    "__swift_attr__",
    "__type_visibility__",
    "__unused__",
    "__using_if_exists__",
    "__warn_unused_result__",
    "abi_tag",
    "acquire_capability",
    "aligned",
    "alloc_align",
    "alloc_size",
    "always_inline",
    "analyzer_noreturn",
    "annotate",
    "assume_aligned",
    "availability",
    "blocks",
    "capability",
    "cleanup",
    "cold",
    "common",
    "const",
    "constructor",
    "convergent",
    "deprecated",
    "destructor",
    "diagnose_if",
    "disable_tail_calls",
    "enable_if",
    "enum_extensibility",
    "error",
    "exclude_from_explicit_instantiation",
    "ext_vector_type",
    "external_source_symbol",
    "fallthrough",
    "flag_enum",
    "flatten",
    "format",
    "format_arg",
    "gnu_inline",
    "hot",
    "ibaction",
    "iboutlet",
    "iboutletcollection",
    "internal_linkage",
    "leaf",
    "lifetimebound",
    "malloc",
    "may_alias",
    "mig_server_routine",
    "minsize",
    "mode",
    "naked",
    "no_builtin",
    "no_destroy",
    "no_profile_instrument_function",
    "no_sanitize",
    "no_sanitize_address",
    "no_sanitize_thread",
    "no_stack_protector",
    "no_thread_safety_analysis",
    "nodebug",
    "noduplicate",
    "noescape",
    "noinline",
    "nonnull",
    "noreturn",
    "not_tail_called",
    "nothrow",
    "ns_consumed",
    "ns_consumes_self",
    "ns_error_domain",
    "ns_returns_autoreleased",
    "ns_returns_not_retained",
    "ns_returns_retained",
    "objc_arc_weak_reference_unavailable",
    "objc_boxable",
    "objc_bridge",
    "objc_bridge_mutable",
    "objc_bridge_related",
    "objc_class_stub",
    "objc_designated_initializer",
    "objc_direct",
    "objc_direct_members",
    "objc_exception",
    "objc_externally_retained",
    "objc_independent_class",
    "objc_method_family",
    "objc_nonlazy_class",
    "objc_ownership",
    "objc_precise_lifetime",
    "objc_protocol_requires_explicit_implementation",
    "objc_requires_property_definitions",
    "objc_requires_super",
    "objc_returns_inner_pointer",
    "objc_root_class",
    "objc_runtime_name",
    "objc_runtime_visible",
    "objc_subclassing_restricted",
    "optnone",
    "os_consumed",
    "os_returns_retained",
    "overloadable",
    "ownership_holds",
    "ownership_returns",
    "ownership_takes",
    "packed",
    "pass_object_size",
    "preserve_all",
    "preserve_most",
    "pure",
    "require_constant_initialization",
    "retain",
    "returns_nonnull",
    "returns_twice",
    "section",
    "sentinel",
    "swift_async",
    "swift_async_error",
    "swift_async_name",
    "swift_attr",
    "swift_bridge",
    "swift_bridged_typedef",
    "swift_error",
    "swift_name",
    "swift_newtype",
    "swift_objc_members",
    "swift_private",
    "swift_wrapper",
    "target",
    "trivial_abi",
    "unavailable",
    "uninitialized",
    "unused",
    "used",
    "vector_size",
    "visibility",
    "warn_unused",
    "warn_unused_result",
    "weak",
    "weak_import",
    "weakref",
};

constexpr std::string_view kCommonHasBuiltin[] = {
    "__atomic_add_fetch",
    "__atomic_load_n",
    "__builtin_FILE",
    "__builtin_FUNCTION",
    "__builtin_LINE",
    "__builtin___memccpy_chk",
    "__builtin___memcpy_chk",
    "__builtin___memmove_chk",
    "__builtin___memset_chk",
    "__builtin___snprintf_chk",
    "__builtin___sprintf_chk",
    "__builtin___stpcpy_chk",
    "__builtin___stpncpy_chk",
    "__builtin___strcat_chk",
    "__builtin___strcpy_chk",
    "__builtin___strncat_chk",
    "__builtin___strncpy_chk",
    "__builtin___vsnprintf_chk",
    "__builtin___vsprintf_chk",
    "__builtin_add_overflow",
    "__builtin_addressof",
    "__builtin_align_down",
    "__builtin_align_up",
    "__builtin_alloca",
    "__builtin_assume",
    "__builtin_assume_aligned",
    "__builtin_available",
    "__builtin_bit_cast",
    "__builtin_bitreverse16",
    "__builtin_bitreverse32",
    "__builtin_bitreverse64",
    "__builtin_bitreverse8",
    "__builtin_bswap16",
    "__builtin_bswap32",
    "__builtin_bswap64",
    "__builtin_bzero",
    "__builtin_char_memchr",
    "__builtin_choose_expr",
    "__builtin_clz",
    "__builtin_clzll",
    "__builtin_clzs",
    "__builtin_constant_p",
    "__builtin_convertvector",
    "__builtin_copysign",
    "__builtin_ctz",
    "__builtin_ctzll",
    "__builtin_ctzs",
    "__builtin_debugtrap",
    "__builtin_dynamic_object_size",
    "__builtin_expect",
    "__builtin_expect_with_probability",
    "__builtin_fabs",
    "__builtin_frame_address",
    "__builtin_huge_val",
    "__builtin_inf",
    "__builtin_is_aligned",
    "__builtin_isfinite",
    "__builtin_isinf",
    "__builtin_isnan",
    "__builtin_launder",
    "__builtin_memcmp",
    "__builtin_memcpy",
    "__builtin_memcpy_inline",
    "__builtin_memmove",
    "__builtin_memset",
    "__builtin_mul_overflow",
    "__builtin_nan",
    "__builtin_object_size",
    "__builtin_offsetof",
    "__builtin_operator_delete",
    "__builtin_operator_new",
    "__builtin_os_log_format",
    "__builtin_os_log_format_buffer_size",
    "__builtin_popcount",
    "__builtin_prefetch",
    "__builtin_readcyclecounter",
    "__builtin_return_address",
    "__builtin_round",
    "__builtin_sadd_overflow",
    "__builtin_shufflevector",
    "__builtin_smul_overflow",
    "__builtin_sprintf",
    "__builtin_ssub_overflow",
    "__builtin_strcmp",
    "__builtin_strlen",
    "__builtin_sub_overflow",
    "__builtin_trap",
    "__builtin_types_compatible_p",
    "__builtin_uadd_overflow",
    "__builtin_unpredictable",
    "__builtin_unreachable",
    "__builtin_va_copy",
    "__builtin_wcslen",
    "__builtin_wmemcmp",
    "__c11_atomic_load",
    "__is_target_arch",
    "__is_target_environment",
    "__is_target_os",
    "__is_target_vendor",
    "__sync_fetch_and_add",
    "__sync_synchronize",
    "malloc",
};

constexpr std::span<const std::string_view> kCommonHasCAttribute{};

constexpr std::span<const std::string_view> kCommonIsTargetOs{};

constexpr std::span<const std::string_view> kCommonIsTargetArch{};

constexpr std::span<const std::string_view> kCommonIsTargetVendor{};

constexpr std::span<const std::string_view> kCommonIsTargetEnvironment{};

constexpr std::string_view kAppleMacosX8664Predefines = R"(#define __APPLE_CC__ 6000
#define __APPLE__ 1
#define __BIGGEST_ALIGNMENT__ 16
#define __BLOCKS__ 1
#define __DYNAMIC__ 1
#define __FXSR__ 1
#define __GCC_ASM_FLAG_OUTPUTS__ 1
#define __GCC_HAVE_SYNC_COMPARE_AND_SWAP_16 1
#define __INT64_C_SUFFIX__ LL
#define __INT64_FMTd__ "lld"
#define __INT64_FMTi__ "lli"
#define __INT64_MAX__ 9223372036854775807LL
#define __INT64_TYPE__ long long int
#define __INT_FAST64_FMTd__ "lld"
#define __INT_FAST64_FMTi__ "lli"
#define __INT_FAST64_MAX__ 9223372036854775807LL
#define __INT_FAST64_TYPE__ long long int
#define __INT_LEAST64_FMTd__ "lld"
#define __INT_LEAST64_FMTi__ "lli"
#define __INT_LEAST64_MAX__ 9223372036854775807LL
#define __INT_LEAST64_TYPE__ long long int
#define __LAHF_SAHF__ 1
#define __LDBL_DECIMAL_DIG__ 21
#define __LDBL_DENORM_MIN__ 3.64519953188247460253e-4951L
#define __LDBL_DIG__ 18
#define __LDBL_EPSILON__ 1.08420217248550443401e-19L
#define __LDBL_MANT_DIG__ 64
#define __LDBL_MAX_10_EXP__ 4932
#define __LDBL_MAX_EXP__ 16384
#define __LDBL_MAX__ 1.18973149535723176502e+4932L
#define __LDBL_MIN_10_EXP__ (-4931)
#define __LDBL_MIN_EXP__ (-16381)
#define __LDBL_MIN__ 3.36210314311209350626e-4932L
#define __MACH__ 1
#define __MMX__ 1
#define __NO_MATH_ERRNO__ 1
#define __NO_MATH_INLINES 1
#define __OBJC_BOOL_IS_BOOL 0
#define __SEG_FS 1
#define __SEG_GS 1
#define __SIZEOF_LONG_DOUBLE__ 16
#define __SSE2_MATH__ 1
#define __SSE2__ 1
#define __SSE3__ 1
#define __SSE4_1__ 1
#define __SSE_MATH__ 1
#define __SSE__ 1
#define __SSP__ 1
#define __SSSE3__ 1
#define __STDC_NO_THREADS__ 1
#define __UINT64_C_SUFFIX__ ULL
#define __UINT64_FMTX__ "llX"
#define __UINT64_FMTo__ "llo"
#define __UINT64_FMTu__ "llu"
#define __UINT64_FMTx__ "llx"
#define __UINT64_MAX__ 18446744073709551615ULL
#define __UINT64_TYPE__ long long unsigned int
#define __UINT_FAST64_FMTX__ "llX"
#define __UINT_FAST64_FMTo__ "llo"
#define __UINT_FAST64_FMTu__ "llu"
#define __UINT_FAST64_FMTx__ "llx"
#define __UINT_FAST64_MAX__ 18446744073709551615ULL
#define __UINT_FAST64_TYPE__ long long unsigned int
#define __UINT_LEAST64_FMTX__ "llX"
#define __UINT_LEAST64_FMTo__ "llo"
#define __UINT_LEAST64_FMTu__ "llu"
#define __UINT_LEAST64_FMTx__ "llx"
#define __UINT_LEAST64_MAX__ 18446744073709551615ULL
#define __UINT_LEAST64_TYPE__ long long unsigned int
#define __USER_LABEL_PREFIX__ _
#define __WINT_MAX__ 2147483647
#define __WINT_TYPE__ int
#define __amd64 1
#define __amd64__ 1
#define __block __attribute__((__blocks__(byref)))
#define __code_model_small__ 1
#define __core2 1
#define __core2__ 1
#define __nonnull _Nonnull
#define __null_unspecified _Null_unspecified
#define __nullable _Nullable
#define __seg_fs __attribute__((address_space(257)))
#define __seg_gs __attribute__((address_space(256)))
#define __tune_core2__ 1
#define __x86_64 1
#define __x86_64__ 1
)";

constexpr std::string_view kAppleMacosX8664HasFeature[] = {
    "blocks",
};

constexpr std::string_view kAppleMacosX8664HasExtension[] = {
    "blocks",
};

constexpr std::span<const std::string_view> kAppleMacosX8664HasAttribute{};

constexpr std::string_view kAppleMacosX8664HasBuiltin[] = {
    "__builtin_cpu_init",
    "__builtin_cpu_supports",
    "__builtin_ia32_pause",
};

constexpr std::span<const std::string_view> kAppleMacosX8664HasCAttribute{};

constexpr std::string_view kAppleMacosX8664IsTargetOs[] = {
    "darwin",
    "macos",
    "macosx",
};

constexpr std::string_view kAppleMacosX8664IsTargetArch[] = {
    "amd64",
    "x86_64",
    "x86_64h",
};

constexpr std::string_view kAppleMacosX8664IsTargetVendor[] = {
    "apple",
};

constexpr std::string_view kAppleMacosX8664IsTargetEnvironment[] = {
    "elf",
    "none",
    "unknown",
};

constexpr std::string_view kAppleMacosArm64Predefines = R"(#define __AARCH64EL__ 1
#define __AARCH64_CMODEL_SMALL__ 1
#define __AARCH64_SIMD__ 1
#define __APPLE_CC__ 6000
#define __APPLE__ 1
#define __ARM64_ARCH_8__ 1
#define __ARM_64BIT_STATE 1
#define __ARM_ACLE 200
#define __ARM_ALIGN_MAX_STACK_PWR 4
#define __ARM_ARCH 8
#define __ARM_ARCH_ISA_A64 1
#define __ARM_ARCH_PROFILE 'A'
#define __ARM_FEATURE_AES 1
#define __ARM_FEATURE_ATOMICS 1
#define __ARM_FEATURE_CLZ 1
#define __ARM_FEATURE_COMPLEX 1
#define __ARM_FEATURE_CRC32 1
#define __ARM_FEATURE_CRYPTO 1
#define __ARM_FEATURE_DIRECTED_ROUNDING 1
#define __ARM_FEATURE_DIV 1
#define __ARM_FEATURE_DOTPROD 1
#define __ARM_FEATURE_FMA 1
#define __ARM_FEATURE_FP16_FML 1
#define __ARM_FEATURE_FP16_SCALAR_ARITHMETIC 1
#define __ARM_FEATURE_FP16_VECTOR_ARITHMETIC 1
#define __ARM_FEATURE_FRINT 1
#define __ARM_FEATURE_IDIV 1
#define __ARM_FEATURE_JCVT 1
#define __ARM_FEATURE_LDREX 0xF
#define __ARM_FEATURE_NUMERIC_MAXMIN 1
#define __ARM_FEATURE_QRDMX 1
#define __ARM_FEATURE_SHA2 1
#define __ARM_FEATURE_UNALIGNED 1
#define __ARM_FP 0xE
#define __ARM_FP16_ARGS 1
#define __ARM_FP16_FORMAT_IEEE 1
#define __ARM_NEON 1
#define __ARM_NEON_FP 0xE
#define __ARM_NEON__ 1
#define __ARM_PCS_AAPCS64 1
#define __ARM_SIZEOF_MINIMAL_ENUM 4
#define __ARM_SIZEOF_WCHAR_T 4
#define __BIGGEST_ALIGNMENT__ 8
#define __BLOCKS__ 1
#define __DYNAMIC__ 1
#define __FLT16_DECIMAL_DIG__ 5
#define __FLT16_DENORM_MIN__ 5.9604644775390625e-8F16
#define __FLT16_DIG__ 3
#define __FLT16_EPSILON__ 9.765625e-4F16
#define __FLT16_HAS_DENORM__ 1
#define __FLT16_HAS_INFINITY__ 1
#define __FLT16_HAS_QUIET_NAN__ 1
#define __FLT16_MANT_DIG__ 11
#define __FLT16_MAX_10_EXP__ 4
#define __FLT16_MAX_EXP__ 16
#define __FLT16_MAX__ 6.5504e+4F16
#define __FLT16_MIN_10_EXP__ (-4)
#define __FLT16_MIN_EXP__ (-13)
#define __FLT16_MIN__ 6.103515625e-5F16
#define __INT64_C_SUFFIX__ LL
#define __INT64_FMTd__ "lld"
#define __INT64_FMTi__ "lli"
#define __INT64_MAX__ 9223372036854775807LL
#define __INT64_TYPE__ long long int
#define __INT_FAST64_FMTd__ "lld"
#define __INT_FAST64_FMTi__ "lli"
#define __INT_FAST64_MAX__ 9223372036854775807LL
#define __INT_FAST64_TYPE__ long long int
#define __INT_LEAST64_FMTd__ "lld"
#define __INT_LEAST64_FMTi__ "lli"
#define __INT_LEAST64_MAX__ 9223372036854775807LL
#define __INT_LEAST64_TYPE__ long long int
#define __LDBL_DECIMAL_DIG__ 17
#define __LDBL_DENORM_MIN__ 4.9406564584124654e-324L
#define __LDBL_DIG__ 15
#define __LDBL_EPSILON__ 2.2204460492503131e-16L
#define __LDBL_MANT_DIG__ 53
#define __LDBL_MAX_10_EXP__ 308
#define __LDBL_MAX_EXP__ 1024
#define __LDBL_MAX__ 1.7976931348623157e+308L
#define __LDBL_MIN_10_EXP__ (-307)
#define __LDBL_MIN_EXP__ (-1021)
#define __LDBL_MIN__ 2.2250738585072014e-308L
#define __MACH__ 1
#define __NO_MATH_ERRNO__ 1
#define __OBJC_BOOL_IS_BOOL 1
#define __SIZEOF_LONG_DOUBLE__ 8
#define __SSP__ 1
#define __STDC_NO_THREADS__ 1
#define __UINT64_C_SUFFIX__ ULL
#define __UINT64_FMTX__ "llX"
#define __UINT64_FMTo__ "llo"
#define __UINT64_FMTu__ "llu"
#define __UINT64_FMTx__ "llx"
#define __UINT64_MAX__ 18446744073709551615ULL
#define __UINT64_TYPE__ long long unsigned int
#define __UINT_FAST64_FMTX__ "llX"
#define __UINT_FAST64_FMTo__ "llo"
#define __UINT_FAST64_FMTu__ "llu"
#define __UINT_FAST64_FMTx__ "llx"
#define __UINT_FAST64_MAX__ 18446744073709551615ULL
#define __UINT_FAST64_TYPE__ long long unsigned int
#define __UINT_LEAST64_FMTX__ "llX"
#define __UINT_LEAST64_FMTo__ "llo"
#define __UINT_LEAST64_FMTu__ "llu"
#define __UINT_LEAST64_FMTx__ "llx"
#define __UINT_LEAST64_MAX__ 18446744073709551615ULL
#define __UINT_LEAST64_TYPE__ long long unsigned int
#define __USER_LABEL_PREFIX__ _
#define __WINT_MAX__ 2147483647
#define __WINT_TYPE__ int
#define __aarch64__ 1
#define __arm64 1
#define __arm64__ 1
#define __block __attribute__((__blocks__(byref)))
#define __nonnull _Nonnull
#define __null_unspecified _Null_unspecified
#define __nullable _Nullable
)";

constexpr std::string_view kAppleMacosArm64HasFeature[] = {
    "blocks",
};

constexpr std::string_view kAppleMacosArm64HasExtension[] = {
    "blocks",
};

constexpr std::span<const std::string_view> kAppleMacosArm64HasAttribute{};

constexpr std::string_view kAppleMacosArm64HasBuiltin[] = {
    "__builtin_arm_wfe",
};

constexpr std::span<const std::string_view> kAppleMacosArm64HasCAttribute{};

constexpr std::string_view kAppleMacosArm64IsTargetOs[] = {
    "darwin",
    "macos",
    "macosx",
};

constexpr std::string_view kAppleMacosArm64IsTargetArch[] = {
    "aarch64",
    "arm64",
};

constexpr std::string_view kAppleMacosArm64IsTargetVendor[] = {
    "apple",
};

constexpr std::string_view kAppleMacosArm64IsTargetEnvironment[] = {
    "elf",
    "none",
    "unknown",
};

constexpr std::string_view kGnustepX8664Predefines = R"(#define GNUSTEP 1
#define GNUSTEP_BASE_LIBRARY 1
#define GNU_GUI_LIBRARY 1
#define GNU_RUNTIME 1
#define _NATIVE_OBJC_EXCEPTIONS 1
#define __BIGGEST_ALIGNMENT__ 16
#define __ELF__ 1
#define __FLOAT128__ 1
#define __FXSR__ 1
#define __GCC_ASM_FLAG_OUTPUTS__ 1
#define __INT64_C_SUFFIX__ L
#define __INT64_FMTd__ "ld"
#define __INT64_FMTi__ "li"
#define __INT64_MAX__ 9223372036854775807L
#define __INT64_TYPE__ long int
#define __INT_FAST64_FMTd__ "ld"
#define __INT_FAST64_FMTi__ "li"
#define __INT_FAST64_MAX__ 9223372036854775807L
#define __INT_FAST64_TYPE__ long int
#define __INT_LEAST64_FMTd__ "ld"
#define __INT_LEAST64_FMTi__ "li"
#define __INT_LEAST64_MAX__ 9223372036854775807L
#define __INT_LEAST64_TYPE__ long int
#define __LDBL_DECIMAL_DIG__ 21
#define __LDBL_DENORM_MIN__ 3.64519953188247460253e-4951L
#define __LDBL_DIG__ 18
#define __LDBL_EPSILON__ 1.08420217248550443401e-19L
#define __LDBL_MANT_DIG__ 64
#define __LDBL_MAX_10_EXP__ 4932
#define __LDBL_MAX_EXP__ 16384
#define __LDBL_MAX__ 1.18973149535723176502e+4932L
#define __LDBL_MIN_10_EXP__ (-4931)
#define __LDBL_MIN_EXP__ (-16381)
#define __LDBL_MIN__ 3.36210314311209350626e-4932L
#define __MMX__ 1
#define __NO_MATH_INLINES 1
#define __OBJC_BOOL_IS_BOOL 0
#define __PIE__ 2
#define __SEG_FS 1
#define __SEG_GS 1
#define __SIZEOF_FLOAT128__ 16
#define __SIZEOF_LONG_DOUBLE__ 16
#define __SSE2_MATH__ 1
#define __SSE2__ 1
#define __SSE_MATH__ 1
#define __SSE__ 1
#define __UINT64_C_SUFFIX__ UL
#define __UINT64_FMTX__ "lX"
#define __UINT64_FMTo__ "lo"
#define __UINT64_FMTu__ "lu"
#define __UINT64_FMTx__ "lx"
#define __UINT64_MAX__ 18446744073709551615UL
#define __UINT64_TYPE__ long unsigned int
#define __UINT_FAST64_FMTX__ "lX"
#define __UINT_FAST64_FMTo__ "lo"
#define __UINT_FAST64_FMTu__ "lu"
#define __UINT_FAST64_FMTx__ "lx"
#define __UINT_FAST64_MAX__ 18446744073709551615UL
#define __UINT_FAST64_TYPE__ long unsigned int
#define __UINT_LEAST64_FMTX__ "lX"
#define __UINT_LEAST64_FMTo__ "lo"
#define __UINT_LEAST64_FMTu__ "lu"
#define __UINT_LEAST64_FMTx__ "lx"
#define __UINT_LEAST64_MAX__ 18446744073709551615UL
#define __UINT_LEAST64_TYPE__ long unsigned int
#define __USER_LABEL_PREFIX__ 
#define __WINT_MAX__ 4294967295U
#define __WINT_TYPE__ unsigned int
#define __WINT_UNSIGNED__ 1
#define __amd64 1
#define __amd64__ 1
#define __code_model_small__ 1
#define __gnu_linux__ 1
#define __k8 1
#define __k8__ 1
#define __linux 1
#define __linux__ 1
#define __pie__ 2
#define __seg_fs __attribute__((address_space(257)))
#define __seg_gs __attribute__((address_space(256)))
#define __tune_k8__ 1
#define __unix 1
#define __unix__ 1
#define __x86_64 1
#define __x86_64__ 1
#define linux 1
#define unix 1
)";

constexpr std::span<const std::string_view> kGnustepX8664HasFeature{};

constexpr std::span<const std::string_view> kGnustepX8664HasExtension{};

constexpr std::string_view kGnustepX8664HasAttribute[] = {
    "ifunc",
};

constexpr std::string_view kGnustepX8664HasBuiltin[] = {
    "__builtin_cpu_init",
    "__builtin_cpu_supports",
    "__builtin_ia32_pause",
};

constexpr std::span<const std::string_view> kGnustepX8664HasCAttribute{};

constexpr std::string_view kGnustepX8664IsTargetOs[] = {
    "linux",
};

constexpr std::string_view kGnustepX8664IsTargetArch[] = {
    "amd64",
    "x86_64",
    "x86_64h",
};

constexpr std::string_view kGnustepX8664IsTargetVendor[] = {
    "pc",
};

constexpr std::string_view kGnustepX8664IsTargetEnvironment[] = {
    "gnu",
};

constexpr CompileTargetTables::Common kCommon{
    kCommonPredefines,
    {kCommonHasFeature,
     kCommonHasExtension,
     kCommonHasAttribute,
     kCommonHasBuiltin,
     kCommonHasCAttribute,
     kCommonIsTargetOs,
     kCommonIsTargetArch,
     kCommonIsTargetVendor,
     kCommonIsTargetEnvironment}};

constexpr CompileTargetTables::Table kTables[] = {
    {"apple-macos-x86_64",
     "x86_64",
     kAppleMacosX8664Predefines,
     {kAppleMacosX8664HasFeature,
      kAppleMacosX8664HasExtension,
      kAppleMacosX8664HasAttribute,
      kAppleMacosX8664HasBuiltin,
      kAppleMacosX8664HasCAttribute,
      kAppleMacosX8664IsTargetOs,
      kAppleMacosX8664IsTargetArch,
      kAppleMacosX8664IsTargetVendor,
      kAppleMacosX8664IsTargetEnvironment}},
    {"apple-macos-arm64",
     "arm64",
     kAppleMacosArm64Predefines,
     {kAppleMacosArm64HasFeature,
      kAppleMacosArm64HasExtension,
      kAppleMacosArm64HasAttribute,
      kAppleMacosArm64HasBuiltin,
      kAppleMacosArm64HasCAttribute,
      kAppleMacosArm64IsTargetOs,
      kAppleMacosArm64IsTargetArch,
      kAppleMacosArm64IsTargetVendor,
      kAppleMacosArm64IsTargetEnvironment}},
    {"gnustep-x86_64",
     "x86_64",
     kGnustepX8664Predefines,
     {kGnustepX8664HasFeature,
      kGnustepX8664HasExtension,
      kGnustepX8664HasAttribute,
      kGnustepX8664HasBuiltin,
      kGnustepX8664HasCAttribute,
      kGnustepX8664IsTargetOs,
      kGnustepX8664IsTargetArch,
      kGnustepX8664IsTargetVendor,
      kGnustepX8664IsTargetEnvironment}},
};

}  // namespace

const CompileTargetTables::Common& CompileTargetTables::common() { return kCommon; }

std::span<const CompileTargetTables::Table> CompileTargetTables::tables() { return kTables; }

}  // namespace kestrel
