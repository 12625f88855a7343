# tavilo.exe: the Windows program (MinGW build only).
#
# The window code lives in src/app, src/tools, src/tools/shared and src/ui. The
# resource script assets/tavilo.rc (icon, manifest, version, artwork) is
# compiled as UTF-8 when present.

include_guard(GLOBAL)

if(NOT WIN32)
  return()
endif()

file(GLOB TAVILO_APP_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/app/*.cpp
     ${PROJECT_SOURCE_DIR}/src/tools/*.cpp
     ${PROJECT_SOURCE_DIR}/src/tools/shared/*.cpp)

# Every static library the src/ folders define is linked into the program,
# and a source such a library already compiles (portable logic, or window
# code grouped for the Wine tests) is taken out of the program's own list.
set(TAVILO_APP_LIBRARIES)
foreach(part IN ITEMS src/calendar src/platform src/ui src/app src/tools)
  if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${part}/CMakeLists.txt)
    continue()
  endif()
  get_property(part_targets DIRECTORY ${PROJECT_SOURCE_DIR}/${part}
               PROPERTY BUILDSYSTEM_TARGETS)
  foreach(library IN LISTS part_targets)
    get_target_property(library_type ${library} TYPE)
    if(NOT library_type STREQUAL "STATIC_LIBRARY")
      continue()
    endif()
    list(APPEND TAVILO_APP_LIBRARIES ${library})
    get_target_property(library_sources ${library} SOURCES)
    get_target_property(library_dir ${library} SOURCE_DIR)
    foreach(source IN LISTS library_sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${library_dir} NORMALIZE)
      list(REMOVE_ITEM TAVILO_APP_SOURCES ${source})
    endforeach()
  endforeach()
endforeach()

# The entry point lives in src/app: without it there is no program yet.
set(program_sources ${TAVILO_APP_SOURCES})
list(FILTER program_sources INCLUDE REGEX "/src/app/[^/]*$")
if(NOT program_sources)
  message(STATUS "No program sources in src/app yet: tavilo.exe is not built")
  return()
endif()

set(TAVILO_RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/assets/tavilo.rc)
if(EXISTS ${TAVILO_RESOURCE_SCRIPT})
  list(APPEND TAVILO_APP_SOURCES ${TAVILO_RESOURCE_SCRIPT})
  # Persian captions in the script would otherwise be read as code page 1252.
  # Files the script names (icon, manifest, pictures) are found beside it.
  set_source_files_properties(${TAVILO_RESOURCE_SCRIPT} PROPERTIES
                              COMPILE_OPTIONS "--codepage=65001"
                              INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/assets)
endif()

add_executable(tavilo WIN32 ${TAVILO_APP_SOURCES})

target_link_libraries(tavilo PRIVATE ${TAVILO_APP_LIBRARIES})

target_link_libraries(tavilo PRIVATE
  tavilo::delayed_comctl32 tavilo::delayed_comdlg32 tavilo::delayed_ole32
  tavilo::delayed_oleaut32 tavilo::delayed_gdiplus tavilo::delayed_winmm
  tavilo::delayed_shell32 msimg32
  advapi32 gdi32 user32 uuid)
# wWinMain entry point (WIN32 above already links the GUI subsystem).
target_link_options(tavilo PRIVATE -municode)
# A small download: unused sections and the symbol table are left out of the
# Release program.
target_link_options(tavilo PRIVATE $<$<CONFIG:Release>:-Wl,--gc-sections> $<$<CONFIG:Release>:-s>)
# Sections start on page boundaries in the file too, so that Wine maps the
# program's code and read-only data from the file (shared, as Windows does)
# instead of reading 512-byte-aligned sections into private memory: 0.8 MB
# less private memory for about 20 kB more file.
target_link_options(tavilo PRIVATE -Wl,--file-alignment=4096)
