# What `cmake --install` puts under the prefix:
#   lib/                      the libraries (exported as capturecore::<name>),
#                             the ISIS toolkit and image-device stand-ins they load
#   include/                  the public headers and the generated export headers
#   lib/cmake/CaptureCore/    find_package(CaptureCore) support
#   lib/pkgconfig/            capturecore.pc
#   share/capturecore/        resources/ and the simulated system/ folder
#   bin/qxscan                the command-line tool
include(CMakePackageConfigHelpers)

set(ZK_PUBLIC_LIBRARIES wincompat hollin orrin pellmark fennick goldmere brackwater mirelight)
set(ZK_HEADER_FOLDERS support/wincompat support/hollin support/orrin support/pellmark
    support/twaindefs support/isisdefs fennick goldmere brackwater/masks brackwater/config
    mirelight/scanner mirelight/settings mirelight/devices)

# The ISIS toolkit and image-device stand-ins are linked privately; they are
# exported only so a consumer's linker finds them.
install(TARGETS ${ZK_PUBLIC_LIBRARIES} twaindefs isisdefs isisdl isismd isislc imagedevicesim
  EXPORT CaptureCoreTargets
  LIBRARY DESTINATION lib ARCHIVE DESTINATION lib RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/resources/ISISOption.cfg DESTINATION lib)
foreach(folder IN LISTS ZK_HEADER_FOLDERS)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder}/include/ DESTINATION include)
endforeach()
install(DIRECTORY ${CMAKE_BINARY_DIR}/include/ DESTINATION include)

install(EXPORT CaptureCoreTargets NAMESPACE capturecore:: DESTINATION lib/cmake/CaptureCore)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/install/CaptureCoreConfig.cmake.in
  ${CMAKE_BINARY_DIR}/CaptureCoreConfig.cmake INSTALL_DESTINATION lib/cmake/CaptureCore)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/CaptureCoreConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/CaptureCoreConfig.cmake
  ${CMAKE_BINARY_DIR}/CaptureCoreConfigVersion.cmake DESTINATION lib/cmake/CaptureCore)
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/capturecore.pc.in
  ${CMAKE_BINARY_DIR}/capturecore.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/capturecore.pc DESTINATION lib/pkgconfig)

if(TARGET qxscan)
  install(TARGETS qxscan RUNTIME DESTINATION bin)
endif()

# The simulated system folder, so the installed tool scans out of the box.
# Its files were copied in the build tree with the build's run path; under
# the prefix they reach <prefix>/lib through the link system/lib, which keeps
# the new run paths shorter than any build folder's.
install(TARGETS twaindsm zkvirtualds LIBRARY DESTINATION lib)
install(DIRECTORY ${ZK_TWAIN_SIM_DIR}/ DESTINATION share/capturecore/system USE_SOURCE_PERMISSIONS)
install(CODE [[
  set(system "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/capturecore/system")
  file(CREATE_LINK ../../../lib "${system}/lib" SYMBOLIC)
  file(GLOB top "${system}/*.so")
  file(GLOB nested "${system}/twain_32/*.ds" "${system}/isisdrv/*.isd")
  foreach(file IN LISTS top)
    file(RPATH_SET FILE "${file}" NEW_RPATH "$ORIGIN/lib")
  endforeach()
  foreach(file IN LISTS nested)
    file(RPATH_SET FILE "${file}" NEW_RPATH "$ORIGIN/../lib")
  endforeach()
]])
