# cmake --install: the libraries, their public headers under their folder names (include/pdtdlg/platform/...),
# and a package config, so that another host does find_package(pdtdlg) and links pdtdlg::pdtdlg.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PDT_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/pdtdlg)
set(PDT_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/pdtdlg)

# While the version is 0.x every minor release may change the binary interface, so the soname carries both.
foreach(lib pdtplatform pdtsupport pdtdlg)
  set_target_properties(${lib} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
    INSTALL_RPATH "$ORIGIN") # they load each other from the folder they are installed in
endforeach()
foreach(lib pdtcore pdtplatform pdtsupport pdtdlg)
  target_include_directories(${lib} INTERFACE $<INSTALL_INTERFACE:${PDT_INSTALL_INCLUDEDIR}>)
endforeach()

install(TARGETS pdtcore pdtplatform pdtsupport pdtdlg EXPORT pdtdlgTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)

# Public headers only: not the platform's private ones (*_p.h), not its test support, not the host.
foreach(dir platform support framework node link record portable job simulation find)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${PDT_INSTALL_INCLUDEDIR}/${dir} COMPONENT dev
    FILES_MATCHING PATTERN "*.h"
    PATTERN "*_p.h" EXCLUDE
    PATTERN "testing" EXCLUDE
    PATTERN "tools" EXCLUDE
    PATTERN "core" EXCLUDE)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/resource.h DESTINATION ${PDT_INSTALL_INCLUDEDIR}/resources
  COMPONENT dev)

install(EXPORT pdtdlgTargets NAMESPACE pdtdlg:: DESTINATION ${PDT_INSTALL_CMAKEDIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/pdtdlgConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/pdtdlgConfig.cmake INSTALL_DESTINATION ${PDT_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/pdtdlgConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pdtdlgConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/pdtdlgConfigVersion.cmake
  DESTINATION ${PDT_INSTALL_CMAKEDIR} COMPONENT dev)

# For hosts built without CMake; found relative to itself, so that the tree can move (a scratch root, /opt).
file(RELATIVE_PATH PDT_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" PDT_PC_TO_PREFIX "${PDT_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/pdtdlg.pc.in ${CMAKE_CURRENT_BINARY_DIR}/pdtdlg.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pdtdlg.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# The reference host: jobhost with its two libraries beside the others, and the sample job it opens by default.
# They are not part of the package a host links against.
if(TARGET pdthostapp)
  if(PDT_PACKAGE)
    # A package puts the libraries where the system finds them, and the host's own in a folder of jobhost's.
    set(PDT_HOST_LIBDIR ${CMAKE_INSTALL_LIBDIR}/jobhost)
    foreach(lib pdtplatform pdtsupport pdtdlg)
      set_target_properties(${lib} PROPERTIES INSTALL_RPATH "")
    endforeach()
    set_target_properties(pdthost pdthostapp jobhost PROPERTIES
      INSTALL_RPATH "${CMAKE_INSTALL_PREFIX}/${PDT_HOST_LIBDIR}")
  else()
    set(PDT_HOST_LIBDIR ${CMAKE_INSTALL_LIBDIR})
    set_target_properties(pdthost pdthostapp PROPERTIES INSTALL_RPATH "$ORIGIN")
    set_target_properties(jobhost PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  endif()
  install(TARGETS jobhost pdthost pdthostapp
    LIBRARY DESTINATION ${PDT_HOST_LIBDIR} COMPONENT jobhost
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT jobhost)
  install(FILES ${PROJECT_SOURCE_DIR}/samples/sample.pdtjob ${PROJECT_SOURCE_DIR}/samples/Receive.pdtjob
    ${PROJECT_SOURCE_DIR}/samples/ITEMS.DAT ${PROJECT_SOURCE_DIR}/samples/sample.pdttest DESTINATION ${CMAKE_INSTALL_DATADIR}/pdtdlg/samples
    COMPONENT jobhost)
  # A desktop's menus list jobhost, and its file manager opens .pdtjob files with it.
  set(desktop ${PROJECT_SOURCE_DIR}/packaging/desktop)
  install(FILES ${desktop}/jobhost.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT jobhost)
  install(FILES ${desktop}/jobhost-pdtjob.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages COMPONENT jobhost)
  install(FILES ${desktop}/jobhost.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    COMPONENT jobhost)
  install(FILES ${desktop}/application-x-pdtjob.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes COMPONENT jobhost)
endif()
