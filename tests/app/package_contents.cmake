# Builds the Debian package and looks inside it: the program, its desktop entry, metainfo and
# icon in their usual places, dependencies taken from the binary plus the fonts, the licence
# everywhere it is named, the program filed as a utility rather than a game, the two metadata
# files valid by Debian's own validators, and nothing at all for lintian to say, even
# pedantically.
# cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -P package_contents.cmake
foreach(tool cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message("SKIPPED: ${tool} is not installed")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${found_cpack} -G DEB -B ${WORK_DIR}
  WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${out}")
endif()
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${debs}")
endif()

execute_process(COMMAND ${found_dpkg-deb} -x ${debs} ${WORK_DIR}/root RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb could not unpack ${debs}")
endif()
set(app io.quenzar.Quenzar)
foreach(path
    usr/bin/quenzar
    usr/share/applications/${app}.desktop
    usr/share/applications/${app}.GameSetup.desktop
    usr/share/metainfo/${app}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${app}.svg
    usr/share/doc/quenzar/copyright
    usr/share/man/man1/quenzar.1.gz)
  if(NOT EXISTS ${WORK_DIR}/root/${path})
    message(FATAL_ERROR "the package lacks ${path}")
  endif()
endforeach()
# The windows, which the program loads from its own library folder.
file(GLOB_RECURSE gui_module ${WORK_DIR}/root/usr/lib/*/quenzar-gui.so)
if(NOT gui_module)
  message(FATAL_ERROR "the package lacks the windows' module quenzar-gui.so")
endif()

execute_process(COMMAND ${found_dpkg-deb} -f ${debs} Package Version Depends Recommends
  OUTPUT_VARIABLE fields)
foreach(expected "Package: quenzar" "Version: 1.00" "libqt6widgets6" "libqt6dbus6" "libc6"
                 "fonts-comic-neue" "fonts-liberation2" "Recommends: qt6-wayland")
  string(FIND "${fields}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package's control fields lack '${expected}':\n${fields}")
  endif()
endforeach()

# Free software under GPL-3.0-or-later: the licence's full text beside the sources, and the
# same licence in the package's copyright file and in its metadata.
set(gpl3 /usr/share/common-licenses/GPL-3)
if(EXISTS ${gpl3})
  file(SHA256 ${SOURCE_DIR}/LICENSE ours)
  file(SHA256 ${gpl3} theirs)
  if(NOT ours STREQUAL theirs)
    message(FATAL_ERROR "LICENSE is not the text of ${gpl3}")
  endif()
endif()
file(READ ${WORK_DIR}/root/usr/share/doc/quenzar/copyright copyright)
file(READ ${WORK_DIR}/root/usr/share/metainfo/${app}.metainfo.xml metainfo)
file(READ ${WORK_DIR}/root/usr/share/applications/${app}.desktop desktop)
if(NOT copyright MATCHES "\nFiles: \\*\n[^\n]*\nLicense: GPL-3\\+\n"
   OR NOT copyright MATCHES "\"/usr/share/common-licenses/GPL-3\"")
  message(FATAL_ERROR "the copyright file does not give every file GPL-3+:\n${copyright}")
endif()
if(NOT metainfo MATCHES "<project_license>GPL-3\\.0-or-later</project_license>")
  message(FATAL_ERROR "the metainfo's project_license is not GPL-3.0-or-later")
endif()
# A tool for a game is filed with the utilities, not among the games.
if(NOT desktop MATCHES "\nCategories=Utility;" OR desktop MATCHES "\nCategories=[^\n]*Game"
   OR NOT metainfo MATCHES "<category>Utility</category>" OR metainfo MATCHES "<category>[A-Za-z]*Game")
  message(FATAL_ERROR "the desktop entry and the metainfo do not file Quenzar as a utility")
endif()

# The game setup window's entry is filed with the program's.
file(READ ${WORK_DIR}/root/usr/share/applications/${app}.GameSetup.desktop setup_entry)
if(NOT setup_entry MATCHES "\nCategories=Utility;" OR setup_entry MATCHES "\nCategories=[^\n]*Game")
  message(FATAL_ERROR "the game setup entry is not filed as a utility")
endif()
# Both open the game setup window: its own entry with the file it is given, the program's by an
# action.
if(NOT setup_entry MATCHES "\nExec=quenzar --game-setup %f\n" OR
   NOT desktop MATCHES "\n\\[Desktop Action game-setup\\]\n[^[]*Exec=quenzar --game-setup\n")
  message(FATAL_ERROR "the desktop entries do not open the game setup window")
endif()

# Both validators silent: no error, warning or hint, for both desktop entries.
foreach(entry ${app} ${app}.GameSetup)
  execute_process(COMMAND ${found_desktop-file-validate}
    ${WORK_DIR}/root/usr/share/applications/${entry}.desktop
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate ${entry}.desktop:\n${out}")
  endif()
endforeach()
execute_process(COMMAND ${found_appstreamcli} validate --no-net
  ${WORK_DIR}/root/usr/share/metainfo/${app}.metainfo.xml
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR out MATCHES "(^|\n)[EWI]: ")
  message(FATAL_ERROR "appstreamcli validate:\n${out}")
endif()
execute_process(COMMAND ${found_lintian} -I -E --pedantic ${debs}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
# Run as root, lintian warns about that; it says nothing of the package.
string(REPLACE "running with root privileges is not recommended!" "" err "${err}")
string(STRIP "${out}${err}" said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
  message(FATAL_ERROR "lintian -I -E --pedantic:\n${out}${err}")
endif()
message("package ${debs} holds everything:\n${fields}")
