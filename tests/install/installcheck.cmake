# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# cmake -P driver of the install_package test. Inputs: VDQ_BUILD_DIR (a built tree),
# VDQ_HOST_SOURCE, VDQ_WORK_DIR (wiped first), VDQ_GENERATOR, VDQ_CXX_COMPILER,
# VDQ_BUILD_TYPE, VDQ_SANITIZE.
cmake_minimum_required(VERSION 3.21)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${VDQ_WORK_DIR}/prefix)
set(hostbuild ${VDQ_WORK_DIR}/host-build)
file(REMOVE_RECURSE ${VDQ_WORK_DIR})
file(MAKE_DIRECTORY ${VDQ_WORK_DIR})

run("Installing the build tree" ${CMAKE_COMMAND} --install ${VDQ_BUILD_DIR} --prefix ${prefix})

# What a host and a desktop need, where they look for it.
foreach(file
    lib/cmake/VdqDesigner/VdqDesignerConfig.cmake
    lib/cmake/VdqDesigner/VdqDesignerConfigVersion.cmake
    lib/cmake/VdqDesigner/VdqDesignerTargets.cmake
    lib/libvdqcomponent.a lib/libvdqcore.a
    include/vdqdesigner/tvdruntimequery.h include/vdqdesigner/tsessionlist.h
    include/vdqdesigner/tsession.h include/vdqdesigner/taliasconfig.h
    include/vdqdesigner/vdqerror.h
    bin/VDQBExample bin/vdqsql libexec/vdqdesigner/vdqmksample
    share/vdqdesigner/shop.sql
    share/applications/io.github.vdqdesigner.VDQBExample.desktop
    share/metainfo/io.github.vdqdesigner.VDQBExample.metainfo.xml
    share/man/man1/vdqsql.1.gz share/man/man1/VDQBExample.1.gz
    share/icons/hicolor/16x16/apps/vdqbexample.png
    share/icons/hicolor/48x48/apps/vdqbexample.png
    share/icons/hicolor/256x256/apps/vdqbexample.png)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "Not installed: ${file}")
  endif()
endforeach()
# The sample builder is a helper, not a command; the Debian files belong to the packages only.
foreach(file bin/vdqmksample share/doc)
  if(EXISTS ${prefix}/${file})
    message(FATAL_ERROR "Installed, but should not be: ${file}")
  endif()
endforeach()
# Nothing of the build tree may leak into the installed package.
file(READ ${prefix}/lib/cmake/VdqDesigner/VdqDesignerTargets.cmake targets)
string(FIND "${targets}" "${VDQ_BUILD_DIR}" leak)
if(NOT leak EQUAL -1)
  message(FATAL_ERROR "The installed targets refer to the build tree ${VDQ_BUILD_DIR}")
endif()

set(flags)
if(VDQ_SANITIZE)
  # The installed archives are instrumented; the host's link must bring the runtimes.
  set(flags -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined
            -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined)
endif()
run("Configuring the third-party host" ${CMAKE_COMMAND} -S ${VDQ_HOST_SOURCE} -B ${hostbuild}
    -G ${VDQ_GENERATOR} -DCMAKE_CXX_COMPILER=${VDQ_CXX_COMPILER} -DCMAKE_BUILD_TYPE=${VDQ_BUILD_TYPE}
    -DCMAKE_PREFIX_PATH=${prefix} -DVDQ_README=${VDQ_HOST_SOURCE}/../../../README.md ${flags})
run("Building the third-party host" ${CMAKE_COMMAND} --build ${hostbuild})

find_program(host thirdpartyhost PATHS ${hostbuild} NO_DEFAULT_PATH REQUIRED)
run("Running the third-party host" ${host})
string(STRIP "${run_output}" run_output)
if(NOT run_output STREQUAL "OK")
  message(FATAL_ERROR "The third-party host printed \"${run_output}\", not OK")
endif()
message("THIRDPARTY HOST: OK")
