# KESH_SANITIZE=ON builds every target with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of its own (make
# test-sanitized uses build-asan). Every finding is fatal: UBSan does not
# recover, so a test with undefined behaviour fails like one with a bad access.
option(KESH_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KESH_SANITIZE)
  set(KESH_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                           -fno-omit-frame-pointer)
  add_compile_options(${KESH_SANITIZER_FLAGS})
  # Unoptimised with line tables only: instrumented code builds several times
  # faster so (CI builds it from scratch), and reports still name file and line.
  add_compile_options(-O0 -g1)
  # With any of GCC's three null-pointer checks, the address of an object
  # defined in another file no longer counts as non-null at compile time, so
  # the meshes' compile-time description (which asks whether a table exists)
  # does not compile. A null pointer followed is still caught, by
  # AddressSanitizer.
  add_compile_options(
    $<$<CXX_COMPILER_ID:GNU>:-fno-sanitize=null,nonnull-attribute,returns-nonnull-attribute>)
  # The instrumentation hides from GCC's flow analysis where values are set,
  # so it reports variables of the standard library's <regex> "maybe
  # uninitialized" that are set; the plain build keeps the warning.
  add_compile_options($<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
  add_link_options(${KESH_SANITIZER_FLAGS})
endif()
