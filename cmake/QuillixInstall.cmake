# What `cmake --install` puts beside the two programs (whose own rules are with
# their targets), so that the installed calculator starts from the desktop's
# menu and the session bus starts its worker without a registration step;
# and the Debian package made from the same rules (`cpack -G DEB`).
#
#   bin/kelvo, bin/Ergasto
#   share/dbus-1/services/Ergasto.CalcWorker.service   Exec: the installed Ergasto
#   share/dbus-1/interfaces/Ergasto.*.xml              (ipc/)
#   share/applications/<id>.desktop
#   share/metainfo/<id>.metainfo.xml
#   share/mime/packages/<id>.xml                       the saved calculations' type
#   share/icons/hicolor/<n>x<n>/apps/<id>.png          16 to 256 pixels
#   share/quillix/quillix-help.html                    found relative to bin/

set(QUILLIX_APP_ID example.vornel.Quillix)   # the maker's site, reversed
set(QUILLIX_MIME_TYPE application/x-quillix-calculation)

# A text constant of a header (`inline constexpr const char* NAME = "...";`),
# so that each text has its home in the code.
function(quillix_header_text var header name)
  file(STRINGS ${CMAKE_SOURCE_DIR}/${header} line REGEX "${name} = \"[^\"]*\"")
  if(NOT line MATCHES "${name} = \"([^\"]*)\"")
    message(FATAL_ERROR "no text ${name} in ${header}")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${header})
endfunction()

# An install folder as the install step sees it: below the prefix then in
# force (`--prefix`, or /usr for the package), unless it is absolute.
function(quillix_install_time_dir var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

quillix_header_text(QUILLIX_MAKER panes/about/ProgramInfo.h kMakerName)
quillix_header_text(QUILLIX_HOMEPAGE panes/about/ProgramInfo.h kMakerWebSite)

if(TARGET Ergasto)
  # Written by the install step itself, so that Exec names the Ergasto of the
  # prefix in force then.
  quillix_install_time_dir(bindir ${CMAKE_INSTALL_BINDIR})
  quillix_install_time_dir(servicedir ${CMAKE_INSTALL_DATADIR}/dbus-1/services)
  install(CODE "include(\"${CMAKE_SOURCE_DIR}/cmake/QuillixServiceFile.cmake\")
set(quillix_service \"${servicedir}/Ergasto.CalcWorker.service\")
message(STATUS \"Installing: \$ENV{DESTDIR}\${quillix_service}\")
quillix_write_service_file(\"\$ENV{DESTDIR}\${quillix_service}\" \"${bindir}/Ergasto\")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${quillix_service}\")")
endif()

if(TARGET kelvo)
  quillix_header_text(QUILLIX_SAVED_EXTENSION shell/frame/SavedCalculation.h kSavedCalculationExtension)
  set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
  configure_file(resources/desktop/quillix.desktop.in ${desktop_dir}/${QUILLIX_APP_ID}.desktop @ONLY)
  configure_file(resources/desktop/quillix.metainfo.xml.in ${desktop_dir}/${QUILLIX_APP_ID}.metainfo.xml @ONLY)
  configure_file(resources/desktop/quillix.mime.xml.in ${desktop_dir}/${QUILLIX_APP_ID}.xml @ONLY)
  install(FILES ${desktop_dir}/${QUILLIX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${desktop_dir}/${QUILLIX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${desktop_dir}/${QUILLIX_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

  file(GLOB icons CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/quillix-*.png)
  foreach(icon ${icons})
    string(REGEX REPLACE ".*quillix-([0-9]+)\\.png$" "\\1" size ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUILLIX_APP_ID}.png)
  endforeach()

  install(FILES resources/help/quillix-help.html DESTINATION ${QUILLIX_INSTALL_DATADIR})

  # An install straight onto this machine brings the desktop's caches up to
  # date; a staged one (DESTDIR, a package) leaves that to the package's triggers.
  quillix_install_time_dir(datadir ${CMAKE_INSTALL_DATADIR})
  install(CODE "set(quillix_share \"${datadir}\")")
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      foreach(step "update-mime-database;${quillix_share}/mime"
                   "update-desktop-database;-q;${quillix_share}/applications"
                   "gtk-update-icon-cache;-q;-t;-f;${quillix_share}/icons/hicolor")
        list(POP_FRONT step tool)
        find_program(quillix_${tool} ${tool})
        if(quillix_${tool})
          list(JOIN step " " arguments)
          message(STATUS "Updating: ${tool} ${arguments}")
          execute_process(COMMAND ${quillix_${tool}} ${step})
        endif()
      endforeach()
    endif()
  ]])
endif()

# The Debian package: `cpack -G DEB` in a build folder; installs below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${QUILLIX_MAKER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arbitrary-precision decimal scientific calculator")
set(CPACK_PACKAGE_DESCRIPTION "Quillix calculates with decimal numbers of up to 512 significant digits.
The calculator window kelvo hands each operation to its worker program
Ergasto on the D-Bus session bus, which computes it in a process of its own.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLIX_MAKER} <quillix@vornel.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLIX_HOMEPAGE}")
# The shared libraries' packages (Qt, Boost, GMP, MPFR) as dpkg-shlibdeps finds
# them, a session bus for the worker, and Qt's platform plugins for the window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "default-dbus-session-bus | dbus-session-bus, qt6-qpa-plugins")
include(CPack)
