# System DLLs the strip's first paint does not need (the common controls,
# GDI+, the common dialogs, COM and OLE automation, the shell, multimedia,
# power management, the title bar and control themes, accessibility) are loaded on first use instead of at start-up. GNU ld has no --delayload: dlltool builds a delay-import library
# from a .def file in cmake/delayload/ listing the functions the program
# calls, and mingw-w64's delayimp provides the loader.
#
#   tavilo::delayed_<dll>   link this instead of <dll>
#
# A function called from a delay-loaded DLL that is missing from its .def
# file fails to link (or links against nothing): add it there.

include_guard(GLOBAL)

if(NOT WIN32)
  return()
endif()

find_program(TAVILO_DLLTOOL NAMES ${TAVILO_MINGW_TRIPLE}-dlltool x86_64-w64-mingw32-dlltool
             REQUIRED)

set(TAVILO_DELAY_LOADED_DLLS comctl32 gdiplus comdlg32 ole32 oleaut32 powrprof shell32 winmm
    dwmapi uxtheme oleacc)
foreach(dll IN LISTS TAVILO_DELAY_LOADED_DLLS)
  set(def ${CMAKE_CURRENT_LIST_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}-delayed.a)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayload)
  execute_process(
    COMMAND ${TAVILO_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    RESULT_VARIABLE built)
  if(NOT built EQUAL 0)
    message(FATAL_ERROR "dlltool could not build the delay-import library for ${dll}")
  endif()
  add_library(tavilo::delayed_${dll} STATIC IMPORTED GLOBAL)
  set_target_properties(tavilo::delayed_${dll} PROPERTIES
                        IMPORTED_LOCATION ${lib}
                        INTERFACE_LINK_LIBRARIES "delayimp;kernel32")
endforeach()
