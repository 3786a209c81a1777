# Runs the Windows test programs under wine, through a launcher generated into the build
# directory. Each build gets its own wine prefix, apart from the user's ~/.wine. A 64-bit
# prefix runs both kinds of program; the 32-bit ones need Debian's wine32:i386 beside it.
if(NOT (MINGW AND CMAKE_CROSSCOMPILING) OR CMAKE_CROSSCOMPILING_EMULATOR)
  return()
endif()

find_program(OV_WINE NAMES wine wine64 wine-stable)
find_program(OV_WINESERVER NAMES wineserver wineserver64 wineserver-stable)
if(NOT OV_WINE OR NOT OV_WINESERVER)
  message(STATUS "wine not found: the Windows test programs are built but not run")
  return()
endif()

set(OV_WINE_PREFIX ${PROJECT_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
