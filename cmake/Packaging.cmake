# `cpack -G DEB` in the build folder makes a Debian package of the installed files.
set(CPACK_PACKAGE_NAME quenzar)
set(CPACK_PACKAGE_VENDOR "Quenzar Developers")
set(CPACK_PACKAGE_CONTACT "Quenzar Developers <quenzar@quenzar.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Writes a performance tweak for Doom 3 as a .cfg file")
set(CPACK_PACKAGE_DESCRIPTION [[Quenzar writes one line of Doom 3 console-variable assignments, chosen from
the graphics card's class and maker, the details and effects the player
wants to keep, the texture cache and the amounts of system and video memory,
and saves it as a .cfg file for the game to run.

A welcome dialog opens the main window, where the options are ticked and the
memory sizes typed; the tweak is saved straight away or edited by hand first.
On the command line it converts a saved tweak into a config of one setting a
line that the game runs as meant.]])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quenzar)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Libraries as the binary needs them, plus the free faces that stand in for the fonts the forms
# name; Qt's Wayland platform lets the program run natively on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)

# What Debian asks of every package besides the program: its copyright, its changelog and a
# manual page, both compressed as Debian compresses them (best, without name or time stamp).
if(UNIX AND NOT APPLE)
  find_program(GZIP gzip REQUIRED)
  set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
  set(compressed)
  foreach(pair "${PROJECT_SOURCE_DIR}/packaging/changelog:changelog.Debian"
               "${quenzar_generated}/quenzar.1:quenzar.1")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${packaging_out}/${target}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${packaging_out}/${target}
      COMMAND ${GZIP} -9nf ${packaging_out}/${target}
      DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${packaging_out}/${target}.gz)
  endforeach()
  add_custom_target(quenzar_package_docs ALL DEPENDS ${compressed})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_out}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${packaging_out}/quenzar.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quenzar)
endif()
