# Installs the project into a fresh prefix, builds the consumer programs against the
# installed package (CMake and pkg-config) and runs them.
#   -DBUILD_DIR=...   the project's build directory
#   -DWORK_DIR=...    a scratch directory, emptied first
#   -DSOURCE_DIR=...  this folder
#   -DCXX=... -DCXX_FLAGS=... -DLINKER_FLAGS=...  as the project was built
#   -DWITH_QT=ON|OFF  whether the Qt widget was built and must work when embedded
#   -DLIBDIR=...      the library folder under the prefix (CMAKE_INSTALL_LIBDIR)
#   -DQT_PLUGINS_DIR=...  Qt's plugin folder under the prefix, with Qt

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    message("${output}")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(PREFIX ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_CXX_COMPILER=${CXX}
    -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/validate_and_paint)
run(${WORK_DIR}/build/render_label ${WORK_DIR})
if(WITH_QT)
    run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${WORK_DIR}/build/embed_widget)
    foreach(program quick_barcode quick_barcode_plugin)
        run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
            ${WORK_DIR}/build/${program})
    endforeach()
    # Designer finds the plugin in the designer folder of Qt's plugin folder under the prefix.
    if(WITH_DESIGNER AND NOT EXISTS ${PREFIX}/${QT_PLUGINS_DIR}/designer/libvarnholt-designer.so)
        message(FATAL_ERROR "the Qt Designer plugin is not in ${PREFIX}/${QT_PLUGINS_DIR}/designer")
    endif()
endif()

# The same program through pkg-config, for builds without CMake.
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${PREFIX}/${LIBDIR}/pkgconfig
                        pkg-config --cflags --libs varnholt
                OUTPUT_VARIABLE pkg_flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(pkg_flags UNIX_COMMAND "${pkg_flags}")
separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS} ${LINKER_FLAGS}")
run(${CXX} -std=c++20 ${cxx_flags} ${SOURCE_DIR}/validate_and_paint.cpp ${pkg_flags}
    -o ${WORK_DIR}/validate_and_paint_pc)
run(${WORK_DIR}/validate_and_paint_pc 5400101109971)

execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${PREFIX}/${LIBDIR}/pkgconfig
                        pkg-config --cflags --libs varnholt-render
                OUTPUT_VARIABLE render_flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(render_flags UNIX_COMMAND "${render_flags}")
run(${CXX} -std=c++20 ${cxx_flags} ${SOURCE_DIR}/render_label.cpp ${render_flags}
    -o ${WORK_DIR}/render_label_pc)
run(${WORK_DIR}/render_label_pc ${WORK_DIR})
