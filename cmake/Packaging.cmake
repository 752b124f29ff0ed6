# What an install puts beside the program: its menu entry and its icon in the theme sizes, then
# the Debian package made by CPack from the same install rules. Nothing to do without the window.
if(NOT TARGET tieba-search)
  return()
endif()

include(GNUInstallDirs)

install(FILES "${PROJECT_SOURCE_DIR}/packaging/tieba-search.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# The same pictures the window wears, one per hicolor size, all named after the Icon= key.
foreach(size 16 24 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/app/resources/icons/tieba-search-${size}.png"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
    RENAME tieba-search.png)
endforeach()

include("${PROJECT_SOURCE_DIR}/packaging/cpack-settings.cmake")
