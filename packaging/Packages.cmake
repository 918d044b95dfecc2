# The Debian packages, made by CPack from what the build installs: one for the program, one
# for building against the libraries, one for Qt Designer's plugin and one for the QML
# module, named as Debian names such packages. Included last, when every target is known.

string(TIMESTAMP VARNHOLT_YEAR "%Y" UTC)
set(VARNHOLT_COPYRIGHT "${VARNHOLT_YEAR} The Varnholt developers")
string(TIMESTAMP VARNHOLT_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

set(VARNHOLT_PACKAGES
    # install components : package : section : summary
    "program:varnholt:graphics:EAN-13 bar code window and command line"
    "core,render,qt:libvarnholt-dev:libdevel:EAN-13 bar code control - development files"
    "designer:varnholt-designer-plugin:devel:EAN-13 bar code widget for Qt Designer"
    "qml:qml6-module-varnholt:libs:EAN-13 bar code item for Qt Quick")
# Each package's description: the summary above, this paragraph, then the package's own.
# CPack indents the lines as Debian's control file wants; an empty line parts paragraphs.
set(VARNHOLT_PACKAGE_DESCRIPTION
    "Varnholt draws a number as an EAN-13 bar code and tells whether its check\n"
    "digit is right, which country's GS1 prefix it starts with, and how it splits\n"
    "into number system, manufacturer code and product code.")
set(VARNHOLT_PACKAGE_EXTRA_program
    "This package holds the window and the command line that checks catalogues\n"
    "and writes print-quality symbols, with its manual page, menu entry, icon and\n"
    "bash completion.")
set(VARNHOLT_PACKAGE_EXTRA_dev
    "This package holds the headers, static libraries, CMake package and\n"
    "pkg-config files of the control, its raster host, the print-quality render\n"
    "layer and the Qt widget.")
set(VARNHOLT_PACKAGE_EXTRA_designer
    "This package holds the plugin that puts the control into Qt Designer's\n"
    "widget box.")
set(VARNHOLT_PACKAGE_EXTRA_qml
    "This package holds the QML module Varnholt with its item Barcode, and the\n"
    "library behind it.")

set(CPACK_COMPONENTS_ALL)
foreach(entry IN LISTS VARNHOLT_PACKAGES)
    string(REPLACE ":" ";" fields "${entry}")
    list(GET fields 0 components)
    list(GET fields 1 package)
    list(GET fields 2 section)
    list(GET fields 3 summary)
    string(REPLACE "," ";" components "${components}")
    # A build without Qt, or without Designer's files, has no such parts to package.
    foreach(optional IN ITEMS qt:varnholt_qt designer:varnholt_designer qml:varnholt_quick)
        string(REPLACE ":" ";" optional "${optional}")
        list(GET optional 1 target)
        if(NOT TARGET ${target})
            list(GET optional 0 component)
            list(REMOVE_ITEM components ${component})
        endif()
    endforeach()
    if(NOT components)
        continue()
    endif()
    list(GET components 0 first)
    list(LENGTH components count)
    # Several install components make one package as a group named for the first.
    if(count GREATER 1)
        set(key dev)
        foreach(component IN LISTS components)
            string(TOUPPER ${component} COMPONENT)
            set(CPACK_COMPONENT_${COMPONENT}_GROUP ${key})
        endforeach()
    else()
        set(key ${first})
    endif()
    string(TOUPPER ${key} KEY)
    list(APPEND CPACK_COMPONENTS_ALL ${components})
    string(JOIN "" extra ${VARNHOLT_PACKAGE_EXTRA_${key}})
    string(JOIN "" description ${VARNHOLT_PACKAGE_DESCRIPTION})
    set(CPACK_DEBIAN_${KEY}_PACKAGE_NAME ${package})
    set(CPACK_DEBIAN_${KEY}_PACKAGE_SECTION ${section})
    set(CPACK_DEBIAN_${KEY}_DESCRIPTION "${summary}\n${description}\n\n${extra}")

    # Debian wants a copyright file and a changelog in each package's documentation folder.
    set(PACKAGE ${package})
    set(doc ${PROJECT_BINARY_DIR}/packaging/doc/${package})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${doc}/copyright @ONLY)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${doc}/changelog @ONLY)
    execute_process(COMMAND gzip -9 -n -f ${doc}/changelog RESULT_VARIABLE gzipped)
    if(NOT gzipped EQUAL 0)
        message(FATAL_ERROR "gzip failed on ${doc}/changelog")
    endif()
    install(FILES ${doc}/copyright ${doc}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${first})
endforeach()

set(CPACK_GENERATOR DEB)
# Each package's summary is its own description's first line: CPack adds a project-wide one
# before it unless that is CPack's default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_NAME varnholt)
set(CPACK_PACKAGE_VENDOR "${VARNHOLT_COPYRIGHT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VARNHOLT_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The QML module's library: a shlibs file for packages built against it, and ldconfig run by
# trigger.
configure_file(${CMAKE_CURRENT_LIST_DIR}/shlibs.in ${PROJECT_BINARY_DIR}/packaging/qml/shlibs @ONLY)
set(CPACK_DEBIAN_QML_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/qml/shlibs
    ${CMAKE_CURRENT_LIST_DIR}/triggers)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# What dpkg-shlibdeps cannot see: data read at run time, and what the static libraries and
# the CMake package need of whoever builds against them.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "fonts-ocr-b, glabels-data")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "libcairo2-dev, libdeflate-dev, libfontconfig-dev, libqrencode-dev, qt6-base-dev, pkg-config")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES "designer-qt6")
include(CPack)
