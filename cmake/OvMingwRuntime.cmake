# How the mingw-w64 builds link the GCC runtime (libgcc, libstdc++, winpthread).
#
# By default every program and DLL links it statically, so wine or Windows runs it with
# nothing on the PATH.
#
# Exception: the plug-in DLL throws OvError by value and the program that loaded it
# catches it. That needs one runtime shared by both modules: 32-bit mingw unwinds with
# DWARF frame tables registered in each copy of libgcc, and a copy inside the DLL is
# unknown to the copy in the EXE. (64-bit SEH unwinding goes through the system and
# copes either way; the rule holds for both so the two builds behave alike.) The plug-in
# and every program that loads it call ov_copy_mingw_runtime(target): they link the
# runtime DLLs, which are copied next to them at build time. So does every program that
# links such a DLL: once the runtime DLLs are in a 32-bit process, its startup code
# registers the program's frame tables with them, and a static copy would find none.
if(NOT MINGW)
  function(ov_copy_mingw_runtime target)
  endfunction()
  return()
endif()

# Windows resolves a DLL's own imports (MONAPI2.dll, the runtime DLLs) from the folder of
# the EXE, not of the DLL, so all programs and DLLs of the build share one folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

add_link_options("$<$<NOT:$<BOOL:$<TARGET_PROPERTY:OV_SHARED_RUNTIME>>>:-static>")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ov_libgcc_dll libgcc_s_dw2-1.dll)
else()
  set(ov_libgcc_dll libgcc_s_seh-1.dll)
endif()
set(OV_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll ${ov_libgcc_dll} libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
    message(FATAL_ERROR "The mingw runtime DLL ${dll} is not in the compiler's sysroot")
  endif()
  get_filename_component(dll_path "${dll_path}" REALPATH)
  list(APPEND OV_MINGW_RUNTIME_DLLS "${dll_path}")
endforeach()

function(ov_copy_mingw_runtime target)
  set_property(TARGET ${target} PROPERTY OV_SHARED_RUNTIME TRUE)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OV_MINGW_RUNTIME_DLLS} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
