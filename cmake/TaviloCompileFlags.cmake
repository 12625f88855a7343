# Compile settings shared by every target of the project (not by GoogleTest,
# which is added before this file is included).

option(TAVILO_WERROR "Treat compiler warnings as errors" OFF)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# C/C++ only: the resource compiler shares these directory options.
set(tavilo_c_cxx $<COMPILE_LANGUAGE:C,CXX>)
add_compile_options($<${tavilo_c_cxx}:-Wall> $<${tavilo_c_cxx}:-Wextra>)
if(TAVILO_WERROR)
  add_compile_options($<${tavilo_c_cxx}:-Werror>)
endif()

# Sources are UTF-8 and carry Persian text in wide string literals.
add_compile_options($<${tavilo_c_cxx}:-finput-charset=UTF-8>)

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX)
  # Lets the linker drop what the program never calls from the static
  # runtime and libraries (see the tavilo target).
  add_compile_options($<${tavilo_c_cxx}:-ffunction-sections> $<${tavilo_c_cxx}:-fdata-sections>)
  # Release is optimised for size (after the -O3 of the release flags, so it
  # wins): the program's work is painting and waiting for messages, and the
  # whole of it must stay a small download, under 1 MB.
  add_compile_options($<$<AND:${tavilo_c_cxx},$<CONFIG:Release>>:-Os>)
  # A release is the same file whichever folder it was built in.
  add_compile_options($<${tavilo_c_cxx}:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                      $<${tavilo_c_cxx}:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
endif()

# "calendar/Class1.h", "platform/...", "app/...": src/ is the include root.
include_directories(${PROJECT_SOURCE_DIR}/src)

# version.h: the version of project() for the resources and the About window.
configure_file(${PROJECT_SOURCE_DIR}/assets/version.h.in
               ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
