# Installs the libraries, their public headers and a CMake package, so that other programs
# use the control with find_package(Varnholt CONFIG) or pkg-config.
# Libraries go into Debian's multiarch folder (lib/x86_64-linux-gnu), which the loader,
# pkg-config and CMake search under /usr and /usr/local alike, so that the Debian packages
# made from any build hold them where Debian's own do; GNUInstallDirs picks it only when the
# prefix is /usr.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CMAKE_INSTALL_LIBDIR)
    set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH
        "Object code libraries (lib)")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VARNHOLT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Varnholt)
set(VARNHOLT_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/varnholt)

# A library target with its public headers, versioned from the project.
function(varnholt_library target)
    cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
    target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR}
                   FILES ${ARG_HEADERS})
    target_include_directories(${target} PUBLIC $<INSTALL_INTERFACE:${VARNHOLT_INCLUDE_DIR}>)
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION}
                                               SOVERSION ${PROJECT_VERSION_MAJOR})
endfunction()

function(varnholt_install_package)
    install(TARGETS varnholt_model varnholt_control varnholt_raster varnholt_files
            EXPORT VarnholtTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT core
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT core
            FILE_SET HEADERS DESTINATION ${VARNHOLT_INCLUDE_DIR} COMPONENT core)
    install(FILES ${PROJECT_BINARY_DIR}/generated/model/Version.h
            DESTINATION ${VARNHOLT_INCLUDE_DIR}/model COMPONENT core)
    install(EXPORT VarnholtTargets NAMESPACE Varnholt:: DESTINATION ${VARNHOLT_CMAKE_DIR}
            COMPONENT core)

    # The render layer is a component of its own: it brings Cairo and libdeflate along.
    install(TARGETS varnholt_render
            EXPORT VarnholtRenderTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT render
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT render
            FILE_SET HEADERS DESTINATION ${VARNHOLT_INCLUDE_DIR} COMPONENT render)
    install(EXPORT VarnholtRenderTargets NAMESPACE Varnholt:: DESTINATION ${VARNHOLT_CMAKE_DIR}
            COMPONENT render)

    if(TARGET varnholt_qt)
        install(TARGETS varnholt_qt
                EXPORT VarnholtQtTargets
                ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt
                LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt
                FILE_SET HEADERS DESTINATION ${VARNHOLT_INCLUDE_DIR} COMPONENT qt)
        install(EXPORT VarnholtQtTargets NAMESPACE Varnholt:: DESTINATION ${VARNHOLT_CMAKE_DIR}
                COMPONENT qt)
    endif()

    # The program, with its window or without, and its manual page.
    configure_file(docs/varnholt.1.in ${PROJECT_BINARY_DIR}/varnholt.1 @ONLY)
    install(TARGETS varnholt RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
    # Compressed, as Debian keeps manual pages; man reads it as it is.
    execute_process(COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/varnholt.1
                    OUTPUT_FILE ${PROJECT_BINARY_DIR}/varnholt.1.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${PROJECT_BINARY_DIR}/varnholt.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
            COMPONENT program)

    # The Qt Designer plugin and the QML module go where Qt keeps its own, under the prefix.
    if(TARGET varnholt_designer)
        install(TARGETS varnholt_designer LIBRARY DESTINATION ${QT6_INSTALL_PLUGINS}/designer
                COMPONENT designer)
    endif()
    if(TARGET varnholt_quick)
        set(VARNHOLT_QML_MODULE_DIR ${QT6_INSTALL_QML}/Varnholt)
        install(TARGETS varnholt_quick
                EXPORT VarnholtQmlTargets
                LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qml
                FILE_SET HEADERS DESTINATION ${VARNHOLT_INCLUDE_DIR} COMPONENT qml)
        install(EXPORT VarnholtQmlTargets NAMESPACE Varnholt:: DESTINATION ${VARNHOLT_CMAKE_DIR}
                COMPONENT qml)
        install(TARGETS varnholt_quickplugin LIBRARY DESTINATION ${VARNHOLT_QML_MODULE_DIR}
                COMPONENT qml)
        install(FILES ${PROJECT_BINARY_DIR}/qml/Varnholt/qmldir
                      ${PROJECT_BINARY_DIR}/qml/Varnholt/varnholt_quick.qmltypes
                DESTINATION ${VARNHOLT_QML_MODULE_DIR} COMPONENT qml)
    endif()

    configure_package_config_file(cmake/VarnholtConfig.cmake.in
        ${PROJECT_BINARY_DIR}/VarnholtConfig.cmake INSTALL_DESTINATION ${VARNHOLT_CMAKE_DIR})
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/VarnholtConfigVersion.cmake
        COMPATIBILITY SameMajorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/VarnholtConfig.cmake
                  ${PROJECT_BINARY_DIR}/VarnholtConfigVersion.cmake
            DESTINATION ${VARNHOLT_CMAKE_DIR} COMPONENT core)

    # The pc file finds the prefix from where it lies, however deep the library folder is.
    file(RELATIVE_PATH VARNHOLT_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
    configure_file(cmake/varnholt.pc.in ${PROJECT_BINARY_DIR}/varnholt.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/varnholt.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT core)
    configure_file(cmake/varnholt-render.pc.in ${PROJECT_BINARY_DIR}/varnholt-render.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/varnholt-render.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT render)
endfunction()
