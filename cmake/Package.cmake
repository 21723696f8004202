# make package: Debian packages of the libraries (libpdtdlg0.1), their development files (libpdtdlg-dev) and
# the reference host (jobhost), from a tree configured with PDT_PACKAGE (the `package` preset).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pdtdlg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "pdtdlg developers <developers@pdtdlg.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev jobhost)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pdtdlg.org")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(PDT_DEB_VERSION "${PROJECT_VERSION}-1")

# The soname is libpdtdlg.so.0.1: the runtime package carries its version in its name.
set(PDT_RUNTIME_PACKAGE libpdtdlg${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${PDT_RUNTIME_PACKAGE})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "dialogs and simulators of a job generator for portable data terminals
The definition dialogs of a job's nodes, links, records, terminal and job
settings, the keypad dialogs of seven terminal models, and a simulated
terminal screen and keypad, drawn with Qt 6 Widgets.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libpdtdlg-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${PDT_RUNTIME_PACKAGE} (= ${PDT_DEB_VERSION}), qt6-base-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION "development files of pdtdlg
Headers, the CMake package (find_package(pdtdlg)) and a pkg-config file
(pdtdlg.pc) for hosts of the pdtdlg dialogs.")

set(CPACK_DEBIAN_JOBHOST_PACKAGE_NAME jobhost)
set(CPACK_DEBIAN_JOBHOST_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_JOBHOST_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
set(CPACK_DEBIAN_JOBHOST_PACKAGE_DEPENDS "${PDT_RUNTIME_PACKAGE} (= ${PDT_DEB_VERSION})")
set(CPACK_COMPONENT_JOBHOST_DESCRIPTION "job generator for portable data terminals
Draws a job as a flowchart of nodes and links, defines them in the pdtdlg
dialogs, and simulates the job on the terminal's screen and keypad, in a
window or from the command line.")

# Each package's copyright and changelog, as Debian asks.
foreach(component runtime dev jobhost)
  string(TOUPPER ${component} c)
  set(package ${CPACK_DEBIAN_${c}_PACKAGE_NAME})
  set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${package})
  set(changelog ${CMAKE_BINARY_DIR}/packaging/${package}/changelog.Debian)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in ${changelog} @ONLY)
  execute_process(COMMAND gzip -9nf ${changelog})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${docdir} COMPONENT ${component})
  install(FILES ${changelog}.gz DESTINATION ${docdir} COMPONENT ${component})
endforeach()

include(CPack)
