# The release files of the MinGW build, in <build>/dist: the installer, the
# portable zip and SHA256SUMS (packaging/make-dist.sh), remade whenever
# tavilo.exe or a packaged file changes. scripts/package.sh builds them
# reproducibly; the e2e_release test installs them under Wine.

include_guard(GLOBAL)

if(NOT WIN32 OR NOT TARGET tavilo)
  return()
endif()

find_program(TAVILO_MAKENSIS makensis)
find_program(TAVILO_ZIP zip)
if(NOT TAVILO_MAKENSIS OR NOT TAVILO_ZIP)
  message(STATUS "makensis or zip not found (Debian packages nsis, zip): no release files")
  return()
endif()

set(TAVILO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(TAVILO_SETUP ${TAVILO_DIST_DIR}/Tavilo-${PROJECT_VERSION}-setup.exe)
set(TAVILO_PORTABLE_ZIP ${TAVILO_DIST_DIR}/Tavilo-${PROJECT_VERSION}-portable.zip)

set(packaged_sources packaging/make-dist.sh packaging/tavilo.nsi packaging/README.txt packaging/portable.ini
                     LICENSE NOTICE assets/tavilo.ico)
list(TRANSFORM packaged_sources PREPEND ${PROJECT_SOURCE_DIR}/)
add_custom_command(
  OUTPUT ${TAVILO_SETUP} ${TAVILO_PORTABLE_ZIP} ${TAVILO_DIST_DIR}/SHA256SUMS
  COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/make-dist.sh
          $<TARGET_FILE:tavilo> ${PROJECT_VERSION} ${TAVILO_DIST_DIR}
  DEPENDS tavilo ${packaged_sources}
  COMMENT "Release files in ${TAVILO_DIST_DIR}"
  VERBATIM)
add_custom_target(tavilo_dist ALL
                  DEPENDS ${TAVILO_SETUP} ${TAVILO_PORTABLE_ZIP} ${TAVILO_DIST_DIR}/SHA256SUMS)
