# The program, its rules page (which the program looks for in
# ../share/velmora/ or ../share/games/velmora/ from its own folder), the
# desktop entry, the icon at each drawn size, the AppStream metainfo and the
# manual page. Included by the top CMakeLists.txt, and by the install test
# alone, with VELMORA_PROGRAM_FILE naming a built program, to try the other
# layout without a second build.
include(GNUInstallDirs)
# Debian's games layout: the program in games/ and its data in
# share/games/velmora/; everything else where it always goes.
option(VELMORA_GAMES_LAYOUT "Install the program to games/ and the rules page to share/games/velmora/" OFF)
if(VELMORA_GAMES_LAYOUT)
  set(VELMORA_PROGRAM_DIR games)
  set(VELMORA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/velmora)
else()
  set(VELMORA_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
  set(VELMORA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/velmora)
endif()
set(VELMORA_APP_ID io.github.velmora.Velmora)
set(VELMORA_TOP ${CMAKE_CURRENT_LIST_DIR}/..)
if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_PROGRAM_DIR})
else()
  install(PROGRAMS ${VELMORA_PROGRAM_FILE} DESTINATION ${VELMORA_PROGRAM_DIR})
endif()
install(FILES ${VELMORA_TOP}/res/velmora.0409.htm DESTINATION ${VELMORA_DATA_DIR})
install(FILES ${VELMORA_TOP}/data/${VELMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMORA_TOP}/data/${VELMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Under the app id, which the desktop entry and the metainfo name, and under
# the program's own name for whatever still asks for "velmora".
foreach(size 16 32 48 64 128 256)
  foreach(name velmora ${VELMORA_APP_ID})
    install(FILES ${VELMORA_TOP}/res/pictures/icon-101-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${name}.png)
  endforeach()
endforeach()
install(FILES ${VELMORA_TOP}/data/velmora.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
