# A Windows build runs its tests and build-time tools under Wine. Beyond Windows' own DLLs
# they need the compiler's run time and, with the program, Qt's: the folders below are where
# Wine finds those (and where the deployment beside kvxconf.exe collects them from).
find_program(KVX_WINE wine REQUIRED)

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-search-dirs OUTPUT_VARIABLE search_dirs)
string(REGEX MATCH "libraries: =([^\n]*)" matched "${search_dirs}")
string(REPLACE ":" ";" KVX_WINDOWS_DLL_DIRS "${CMAKE_MATCH_1}")
if(TARGET Qt6::Core)
  get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_bin ${qt_core} DIRECTORY)
  list(PREPEND KVX_WINDOWS_DLL_DIRS ${qt_bin})
endif()
list(TRANSFORM KVX_WINDOWS_DLL_DIRS REPLACE "/$" "")

# Windows' own DLLs, as Wine has them: never deployed beside a program.
find_path(KVX_WINE_WINDOWS_DLLS kernel32.dll REQUIRED NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows /usr/lib64/wine/x86_64-windows)

string(REPLACE ";" ":" dll_path "${KVX_WINDOWS_DLL_DIRS}")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env KVX_WINE_DLL_PATH=${dll_path}
  bash ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh)
