# Embeds farvardin-first.txt into a generated header, so the calendar tests
# read no file at run time (they run under Wine too, where host paths differ).
#
#   include(${CMAKE_CURRENT_SOURCE_DIR}/data/embed.cmake)
#   tavilo_embed_farvardin_table(<test target>)
#
# The target can then `#include "farvardin-first.h"`.
function(tavilo_embed_farvardin_table target)
  if(NOT TARGET ${target})
    return()  # a build without tests (bench, fuzz)
  endif()
  set(data_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  file(READ ${data_dir}/farvardin-first.txt FARVARDIN_FIRST_TABLE)
  configure_file(${data_dir}/farvardin-first.h.in ${out_dir}/farvardin-first.h @ONLY)
  # Re-embed when the table is regenerated.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${data_dir}/farvardin-first.txt)
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()
