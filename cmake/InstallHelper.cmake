# Installs the sharing helper where pkexec may run it: root-owned, writable by root only, in the
# prefix's libexec folder, with the polkit action that names exactly that path. The action is
# written at install time, so that a prefix given to `cmake --install --prefix` is the one named.
include(GNUInstallDirs)

install(TARGETS orvane-sharing-helper
  RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvane
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
              WORLD_READ WORLD_EXECUTE
  COMPONENT sharing-helper)

set(orvane_policy_template
  ${CMAKE_SOURCE_DIR}/src/platform/linux/helper/orvane-sharing-helper.policy.in)
install(CODE "
  set(ORVANE_HELPER_INSTALL_PATH
    \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/orvane/orvane-sharing-helper\")
  set(policy \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/polkit-1/actions/org.orvane.sharing-helper.policy\")
  message(STATUS \"Installing: \${policy}\")
  configure_file(\"${orvane_policy_template}\" \"\${policy}\" @ONLY)
  file(CHMOD \"\${policy}\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
" COMPONENT sharing-helper)
