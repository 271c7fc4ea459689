# `cpack -G DEB` in the build folder makes a Debian package of the installed files.
set(CPACK_PACKAGE_NAME quenzar)
set(CPACK_PACKAGE_VENDOR "Quenzar Developers")
set(CPACK_PACKAGE_CONTACT "Quenzar Developers <quenzar@quenzar.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Writes a performance tweak for Doom 3 as a .cfg file")
set(CPACK_PACKAGE_VERSION "1.00")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quenzar)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Libraries as the binary needs them, plus the free faces that stand in for the fonts the forms
# name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
