#!/usr/bin/env python3
"""Writes src/core/parse/CompileTargetTables.cpp: what clang 14 predefines and answers for each
compile target that Kestrel evaluates conditions for, asked of clang itself:

  apple-macos-x86_64   clang-14 -x objective-c -target x86_64-apple-macos14.0 -fblocks
  apple-macos-arm64    clang-14 -x objective-c -target arm64-apple-macos14.0 -fblocks
  gnustep-x86_64       clang-14 -x objective-c -DGNUSTEP -DGNUSTEP_BASE_LIBRARY=1 -DGNU_GUI_LIBRARY=1
                       -DGNU_RUNTIME=1 -D_NATIVE_OBJC_EXCEPTIONS -fexceptions -fobjc-exceptions
                       -fconstant-string-class=NSConstantString -fobjc-runtime=macosx (x86_64 Linux)

For each: the predefined macros (`-dM -E`; the deployment-version macros are left to the target,
which takes them from the SDK), and which names __has_feature, __has_extension, __has_attribute,
__has_builtin, __has_c_attribute and __is_target_os/arch/vendor/environment answer 1 for, out of
the names the headers of the machine ask about plus a list of clang's own. Lines and names that
every target shares are written once.

Usage: scripts/target_tables.py [HEADER_FOLDER...]   (needs clang-14; run from the project folder)
"""
import os, re, subprocess, sys

TARGETS = [
    ("apple-macos-x86_64", "x86_64", ["-target", "x86_64-apple-macos14.0", "-fblocks"]),
    ("apple-macos-arm64", "arm64", ["-target", "arm64-apple-macos14.0", "-fblocks"]),
    ("gnustep-x86_64", "x86_64", ["-target", "x86_64-pc-linux-gnu", "-DGNUSTEP", "-DGNUSTEP_BASE_LIBRARY=1",
                                  "-DGNU_GUI_LIBRARY=1", "-DGNU_RUNTIME=1", "-D_NATIVE_OBJC_EXCEPTIONS",
                                  "-fexceptions", "-fobjc-exceptions",
                                  "-fconstant-string-class=NSConstantString", "-fobjc-runtime=macosx"]),
]
LEFT_TO_THE_TARGET = {"__ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__", "__ENVIRONMENT_OS_VERSION_MIN_REQUIRED__"}
QUERIES = ["__has_feature", "__has_extension", "__has_attribute", "__has_builtin", "__has_c_attribute"]
TARGET_QUERIES = {
    "__is_target_os": "macos macosx darwin ios tvos watchos linux bridgeos driverkit xros visionos windows freebsd".split(),
    "__is_target_arch": "x86_64 x86_64h amd64 i386 x86 arm64 arm64e aarch64 arm armv7 ppc".split(),
    "__is_target_vendor": "apple pc unknown gnu".split(),
    "__is_target_environment": "macabi simulator gnu unknown elf none".split(),
}
CLANG_NAMES = """
abi_tag acquire_capability aligned alloc_align alloc_size always_inline analyzer_noreturn annotate
assume_aligned availability blocks capability cleanup cold common const constructor convergent
deprecated destructor diagnose_if disable_tail_calls enable_if enum_extensibility error
exclude_from_explicit_instantiation ext_vector_type external_source_symbol fallthrough flag_enum
flatten format format_arg gnu_inline hot ibaction iboutlet iboutletcollection ifunc internal_linkage
leaf lifetimebound malloc may_alias minsize mode naked no_builtin no_destroy no_sanitize
no_sanitize_address no_stack_protector nodebug nodiscard noduplicate noescape noinline nonnull
nonstring noreturn not_tail_called nothrow ns_consumed ns_consumes_self ns_error_domain
ns_returns_autoreleased ns_returns_not_retained ns_returns_retained nsobject objc_boxable objc_bridge
objc_bridge_mutable objc_bridge_related objc_class_stub objc_designated_initializer objc_direct
objc_direct_members objc_exception objc_externally_retained objc_independent_class
objc_method_family objc_nonlazy_class objc_ownership objc_precise_lifetime
objc_protocol_requires_explicit_implementation objc_requires_property_definitions
objc_requires_super objc_returns_inner_pointer objc_root_class objc_runtime_name
objc_runtime_visible objc_subclassing_restricted optnone os_consumed os_returns_retained
overloadable packed pass_object_size preserve_all preserve_most pure retain returns_nonnull
returns_twice section sentinel swift_async swift_async_error swift_async_name swift_attr
swift_bridge swift_bridged_typedef swift_error swift_name swift_newtype swift_objc_members
swift_private swift_wrapper target trivial_abi unavailable uninitialized unused used
vector_size visibility warn_unused warn_unused_result weak weak_import weakref
address_sanitizer thread_sanitizer memory_sanitizer assume_nonnull arc_cf_code_audited
attribute_availability attribute_availability_app_extension attribute_availability_swift
attribute_availability_tvos attribute_availability_watchos attribute_availability_with_message
attribute_availability_with_replacement attribute_availability_with_strict
attribute_availability_with_version_underscores attribute_availability_in_templates
attribute_cf_consumed attribute_cf_returns_not_retained attribute_cf_returns_on_parameters
attribute_cf_returns_retained attribute_deprecated_with_message attribute_deprecated_with_replacement
attribute_ns_consumed attribute_ns_consumes_self attribute_ns_returns_not_retained
attribute_ns_returns_retained attribute_objc_ivar_unused attribute_objc_method_family
attribute_overloadable attribute_unavailable_with_message attribute_unused_on_fields
attribute_diagnose_if_objc attribute_ext_vector_type attribute_analyzer_noreturn
c_alignas c_alignof c_atomic c_generic_selections c_static_assert c_thread_local cxx_exceptions
cxx_rtti enumerator_attributes nullability nullability_on_arrays nullability_nullable_result modules
objc_arc objc_arc_fields objc_arc_weak objc_array_literals objc_bool objc_boxed_expressions
objc_boxed_nsvalue_expressions objc_class_property objc_default_synthesize_properties
objc_dictionary_literals objc_fixed_enum objc_generics objc_generics_variance
objc_infer_related_result_type objc_instancetype objc_kindof objc_modules objc_nonfragile_abi
objc_property_explicit_atomic objc_protocol_qualifier_mangling objc_subscripting objc_weak_class
objc_bridge_id objc_bridge_id_on_typedefs ownership_holds ownership_returns ownership_takes tls
cxx_binary_literals cxx_fixed_enum cxx_strong_enums gnu_asm gnu_asm_goto_with_outputs
pragma_clang_attribute_external_declaration pragma_clang_attribute_namespaces swiftasynccc swiftcc
__builtin_expect __builtin_trap __builtin_unreachable __builtin_assume __builtin_constant_p
__builtin_offsetof __builtin_types_compatible_p __builtin_choose_expr __builtin_object_size
__builtin_dynamic_object_size __builtin_alloca __builtin_memcmp __builtin_memcpy __builtin_memmove
__builtin_memset __builtin_strcmp __builtin_strlen __builtin_bzero __builtin_inf __builtin_huge_val
__builtin_nan __builtin_fabs __builtin_prefetch __builtin_return_address __builtin_frame_address
__builtin_convertvector __builtin_shufflevector __builtin_launder __builtin_addressof
__builtin_available __builtin_os_log_format __builtin_os_log_format_buffer_size
__builtin_readcyclecounter __builtin_cpu_supports __builtin_cpu_init __builtin_ia32_pause
__builtin_arm_wfe __builtin_clear_cache __builtin_bswap16 __builtin_bswap32 __builtin_bswap64
__builtin_popcount __builtin_clz __builtin_ctz __builtin_add_overflow __builtin_sub_overflow
__builtin_mul_overflow __builtin_debugtrap __builtin_va_copy __builtin_isnan __builtin_isinf
__builtin_isfinite __builtin_align_up __builtin_align_down __builtin_is_aligned
__builtin_unpredictable __builtin_expect_with_probability __builtin_memcpy_inline
__is_target_arch __is_target_os __is_target_vendor __is_target_environment
__c11_atomic_load __atomic_load_n __atomic_add_fetch __sync_synchronize __sync_fetch_and_add
""".split()
PATTERN = re.compile(r"(__has_feature|__has_extension|__has_attribute|__has_builtin|__has_c_attribute)\s*\(\s*([A-Za-z_][A-Za-z0-9_]*)\s*\)")


def asked_names(folders):
    names = set(CLANG_NAMES)
    for folder in folders:
        for top, _, files in os.walk(folder, followlinks=True):
            for f in files:
                try:
                    text = open(os.path.join(top, f), errors="replace").read()
                except OSError:
                    continue
                names.update(m.group(2) for m in PATTERN.finditer(text))
    return sorted(names)


def clang(args, source):
    return subprocess.run(["clang-14", "-x", "objective-c"] + args + ["-ferror-limit=0", "-E", "-P", "-"],
                          input=source, capture_output=True, text=True).stdout


def ask(args, names):
    lines, answers = [], {}
    queries = [(q, n) for q in QUERIES for n in names] + [(q, n) for q, ns in TARGET_QUERIES.items() for n in ns]
    for i, (q, n) in enumerate(queries):
        lines.append("#if %s(%s)\nYES %d\n#endif" % (q, n, i))
    for line in clang(args, "\n".join(lines) + "\n").split("\n"):
        if line.startswith("YES "):
            q, n = queries[int(line[4:])]
            answers.setdefault(q, set()).add(n)
    return answers


def predefines(args):
    out = subprocess.run(["clang-14", "-x", "objective-c"] + args + ["-dM", "-E", "-"], input="",
                         capture_output=True, text=True).stdout
    return {l for l in out.split("\n") if l.startswith("#define ") and l.split()[1] not in LEFT_TO_THE_TARGET}


def cxx_list(name, items):
    body = "".join('    "%s",\n' % i for i in sorted(items))
    return "constexpr std::string_view %s[] = {\n%s};\n" % (name, body) if items else \
        "constexpr std::span<const std::string_view> %s{};\n" % name


def ident(key, suffix):
    return "k" + "".join(p.capitalize() for p in re.split(r"[-_]", key)) + suffix


def main():
    folders = sys.argv[1:] or ["/usr/include", "/work/sdk-links/MacOSX14.2.sdk/usr/include"]
    names = asked_names(folders)
    data = {key: (arch, predefines(args), ask(args, names)) for key, arch, args in TARGETS}
    common_defs = set.intersection(*(d[1] for d in data.values()))
    kinds = QUERIES + list(TARGET_QUERIES)
    common = {q: set.intersection(*(d[2].get(q, set()) for d in data.values())) for q in kinds}
    out = ["// Written by scripts/target_tables.py from what clang 14 predefines and answers for each",
           "// target; edit the script, not this file.",
           '#include "core/parse/CompileTargetTables.h"', "", "namespace kestrel {", "", "namespace {", ""]
    out.append('constexpr std::string_view kCommonPredefines = R"(%s\n)";\n' % "\n".join(sorted(common_defs)))
    for q in kinds:
        out.append(cxx_list(ident("common_" + q.strip("_"), ""), common[q]))
    for key, (arch, defs, answers) in data.items():
        out.append('constexpr std::string_view %s = R"(%s\n)";\n' % (ident(key, "Predefines"),
                                                                     "\n".join(sorted(defs - common_defs))))
        for q in kinds:
            out.append(cxx_list(ident(key + "_" + q.strip("_"), ""), answers.get(q, set()) - common[q]))
    def answers(prefix, indent):
        return (",\n" + indent).join(ident(prefix + "_" + q.strip("_"), "") for q in kinds)
    out.append("constexpr CompileTargetTables::Common kCommon{\n    kCommonPredefines,\n    {%s}};\n" %
               answers("common", "     "))
    out.append("constexpr CompileTargetTables::Table kTables[] = {")
    for key, (arch, _, _) in data.items():
        out.append('    {"%s",\n     "%s",\n     %s,\n     {%s}},' % (key, arch, ident(key, "Predefines"),
                                                                     answers(key, "      ")))
    out += ["};", "", "}  // namespace", "",
            "const CompileTargetTables::Common& CompileTargetTables::common() { return kCommon; }", "",
            "std::span<const CompileTargetTables::Table> CompileTargetTables::tables() { return kTables; }", "",
            "}  // namespace kestrel", ""]
    with open("src/core/parse/CompileTargetTables.cpp", "w") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main()
