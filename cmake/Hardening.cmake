# KELVARON_HARDENING: every target built with the flags Debian's own packages
# get from dpkg-buildflags (stack protector, _FORTIFY_SOURCE, format checks,
# full RELRO with immediate binding), so that the programs cpack puts into the
# packages are hardened without a debian/rules around the build. Left out of
# the sanitizer build, whose instrumentation _FORTIFY_SOURCE gets in the way of.
find_program(KELVARON_DPKG_BUILDFLAGS dpkg-buildflags)
if(KELVARON_DPKG_BUILDFLAGS)
  set(kelvaron_hardening_default ON)
else()
  set(kelvaron_hardening_default OFF)
endif()
option(KELVARON_HARDENING "Build with the hardening flags of dpkg-buildflags" ${kelvaron_hardening_default})

function(kelvaron_dpkg_buildflags out flag)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${KELVARON_DPKG_BUILDFLAGS} --get ${flag}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(value UNIX_COMMAND "${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

if(KELVARON_HARDENING AND NOT KELVARON_SANITIZE AND NOT KELVARON_BUILD_FUZZ)
  if(NOT KELVARON_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "KELVARON_HARDENING needs dpkg-buildflags (package dpkg-dev)")
  endif()
  kelvaron_dpkg_buildflags(kelvaron_cppflags CPPFLAGS)
  kelvaron_dpkg_buildflags(kelvaron_cxxflags CXXFLAGS)
  kelvaron_dpkg_buildflags(kelvaron_ldflags LDFLAGS)
  # The build type chooses optimisation and debug information.
  list(FILTER kelvaron_cxxflags EXCLUDE REGEX "^-(O[0-9s]?|g)$")
  add_compile_options(${kelvaron_cppflags} ${kelvaron_cxxflags})
  add_link_options(${kelvaron_ldflags})
  message(STATUS "Hardening flags: ${kelvaron_cppflags} ${kelvaron_cxxflags} ${kelvaron_ldflags}")
endif()
