# The install layout of a Linux desktop program and the Debian package built from it with CPack.
# The sharing helper's own install rules (and its polkit policy) come with the helper.
if(WIN32)
  include(WindowsPackaging)
  return()
endif()
include(GNUInstallDirs)

set(ORVANE_APP_ID org.orvane.Orvane)
set(ORVANE_ICON_SIZES 16 24 32 48 64 128 256)
# The layout test insists on the helper and its policy wherever the helper is built (its install
# rules come with it).
if(TARGET orvane-sharing-helper)
  set(ORVANE_LAYOUT_REQUIRES_HELPER ON)
else()
  set(ORVANE_LAYOUT_REQUIRES_HELPER OFF)
endif()

if(TARGET orvane)
  install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${packaging}/${ORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${ORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian's place for the licence; the same file in a plain install documents it too.
install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(size ${ORVANE_ICON_SIZES})
  install(FILES ${packaging}/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${ORVANE_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT "Orvane <support@orvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn a laptop into a wireless access point")
set(CPACK_PACKAGE_DESCRIPTION
    "Shares the Internet connection of one network adapter with the devices that join a\n\
wireless network the computer opens on another adapter.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvane.org/)
# The shared libraries (Qt, libcurl, libnftables, libsystemd) are found by dpkg-shlibdeps; the
# programs the sharing runs are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "nftables, dnsmasq-base, pkexec | policykit-1")
# Qt's own texts (standard buttons, file dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "network-manager, qt6-translations-l10n")
# The programs ship stripped; their debug symbols go to orvane-dbgsym_<version>_<arch>.ddeb
# beside the package, found by build ID under /usr/lib/debug/.build-id. CPack splits them off
# itself, so CPACK_STRIP_FILES stays off: it would strip them before the split.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
include(CPack)
