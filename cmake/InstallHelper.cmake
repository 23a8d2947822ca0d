# Installs the sharing helper where pkexec may run it: root-owned, writable by root only, in the
# prefix's libexec folder, with the polkit action that names exactly that path. The action is
# written at install time, so that a prefix given to `cmake --install --prefix` is the one named.
include(GNUInstallDirs)

# polkitd reads actions from this one folder, whatever prefix a program is installed to (Debian's
# polkit is built with it; a distribution whose polkit reads another one sets this).
set(ORVANE_POLKIT_ACTIONS_DIR /usr/share/polkit-1/actions
    CACHE PATH "The folder polkitd reads its actions from")

install(TARGETS orvane-sharing-helper
  RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvane
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
              WORLD_READ WORLD_EXECUTE
  COMPONENT sharing-helper)

set(orvane_policy_template
  ${CMAKE_SOURCE_DIR}/src/platform/linux/helper/orvane-sharing-helper.policy.in)
set(orvane_policy_staged ${CMAKE_CURRENT_BINARY_DIR}/polkit/org.orvane.sharing-helper.policy)
install(CODE "
  set(polkit_dir \"${ORVANE_POLKIT_ACTIONS_DIR}\")
  set(libexec \"${CMAKE_INSTALL_LIBEXECDIR}\")
  if(NOT IS_ABSOLUTE \"\${libexec}\")
    set(libexec \"\${CMAKE_INSTALL_PREFIX}/\${libexec}\")
  endif()
  cmake_path(SET ORVANE_HELPER_INSTALL_PATH NORMALIZE \"\${libexec}/orvane/orvane-sharing-helper\")
  cmake_path(SET prefix_dir NORMALIZE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/polkit-1/actions\")
  configure_file(\"${orvane_policy_template}\" \"${orvane_policy_staged}\" @ONLY)

  # With a prefix whose actions folder is not polkit's, the policy goes to polkit's own folder
  # when this install writes the live system and may write there; otherwise it stays in the
  # prefix, where polkit never looks, and the installer is told so.
  set(destination \"\${prefix_dir}\")
  set(reason \"\")
  if(NOT prefix_dir STREQUAL polkit_dir)
    set(policy_there \"\${polkit_dir}/org.orvane.sharing-helper.policy\")
    if(NOT \"\$ENV{DESTDIR}\" STREQUAL \"\")
      set(reason \"this install is staged into DESTDIR\")
    elseif(NOT IS_DIRECTORY \"\${polkit_dir}\")
      set(reason \"\${polkit_dir} does not exist (is polkit installed?)\")
    else()
      execute_process(COMMAND test -w \"\${polkit_dir}\" RESULT_VARIABLE not_writable)
      if(not_writable)
        set(reason \"\${polkit_dir} is not writable by this user (install as root)\")
      elseif(EXISTS \"\${policy_there}\")
        file(READ \"\${policy_there}\" other)
        string(FIND \"\${other}\" \">\${ORVANE_HELPER_INSTALL_PATH}</annotate>\" ours)
        if(ours EQUAL -1)
          set(reason \"\${policy_there} belongs to another install of Orvane (the Debian package, or another prefix)\")
        endif()
      endif()
    endif()
    if(reason STREQUAL \"\")
      set(destination \"\${polkit_dir}\")
      message(STATUS \"polkit reads actions only from \${polkit_dir}: the policy for \${ORVANE_HELPER_INSTALL_PATH} goes there\")
    endif()
  endif()
  file(INSTALL \"${orvane_policy_staged}\" DESTINATION \"\${destination}\"
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(NOT reason STREQUAL \"\")
    message(WARNING \"The polkit policy was installed to \${prefix_dir}, where polkit does not \"
      \"read it: polkit reads actions only from \${polkit_dir}, and \${reason}. Until the policy \"
      \"is there, pkexec will not start \${ORVANE_HELPER_INSTALL_PATH} and Orvane can share only \"
      \"when run as root. To fix it, as root: install -m 644 \"
      \"\${prefix_dir}/org.orvane.sharing-helper.policy \${polkit_dir}/\")
  endif()
" COMPONENT sharing-helper)
