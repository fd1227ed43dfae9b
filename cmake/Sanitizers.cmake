# KELVARON_SANITIZE: every target built with AddressSanitizer and
# UndefinedBehaviorSanitizer (gcc or clang). scripts/test-sanitized.sh builds
# the suites this way and runs them; the ODBC drivers are not instrumented,
# so their own allocations are not leak-checked (detect_leaks=0 there).
if(KELVARON_SANITIZE)
  set(kelvaron_sanitize_flags
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${kelvaron_sanitize_flags})
  add_link_options(${kelvaron_sanitize_flags})
endif()
