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
file(REMOVE_RECURSE ${VDQ_WORK_DIR})
file(MAKE_DIRECTORY ${VDQ_WORK_DIR})

run("Installing the build tree" ${CMAKE_COMMAND} --install ${VDQ_BUILD_DIR} --prefix ${prefix})

# What a host and a desktop need, where they look for it.
foreach(file
    lib/cmake/VdqDesigner/VdqDesignerConfig.cmake
    lib/cmake/VdqDesigner/VdqDesignerConfigVersion.cmake
    lib/cmake/VdqDesigner/VdqDesignerTargets.cmake
    lib/cmake/VdqDesigner/VdqDesignerStaticTargets.cmake
    lib/libVdqDesigner.so.0 lib/libVdqDesigner.so lib/libVdqDesigner.a
    lib/pkgconfig/vdqdesigner.pc lib/pkgconfig/vdqdesigner-static.pc
    include/vdqdesigner/tvdruntimequery.h include/vdqdesigner/vdqquerydesigner.h
    include/vdqdesigner/vdqdesignerwidget.h include/vdqdesigner/vdqerror.h
    include/vdqdesigner/vdqdesigner_export.h
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
# The library's own parts stay inside it: no internal header is installed, no unversioned
# subsystem library, and the shared library exports the public classes only.
file(GLOB internal ${prefix}/include/vdqdesigner/tsession*.h ${prefix}/include/vdqdesigner/taliasconfig.h
                   ${prefix}/lib/libvdq*)
if(internal)
  message(FATAL_ERROR "Internal files installed: ${internal}")
endif()
# The sample builder is a helper, not a command; the Debian files belong to the packages only.
foreach(file bin/vdqmksample share/doc)
  if(EXISTS ${prefix}/${file})
    message(FATAL_ERROR "Installed, but should not be: ${file}")
  endif()
endforeach()
run("Reading the library's header" objdump -p ${prefix}/lib/libVdqDesigner.so.0)
if(NOT run_output MATCHES "SONAME +libVdqDesigner\\.so\\.0\n")
  message(FATAL_ERROR "libVdqDesigner.so.0 has no SONAME libVdqDesigner.so.0:\n${run_output}")
endif()
run("Listing the library's symbols" nm -DC --defined-only ${prefix}/lib/libVdqDesigner.so.0)
string(REGEX MATCHALL "[^\n]*(TQG|TDatabase|TSession|TQuery|QueryDocument|DesignState)[^\n]*" leaked "${run_output}")
if(leaked)
  list(LENGTH leaked count)
  list(SUBLIST leaked 0 10 first)
  message(FATAL_ERROR "The library exports ${count} internal symbols, among them:\n${first}")
endif()
string(REGEX MATCHALL "\n" lines "\n${run_output}")
list(LENGTH lines exported)
message("libVdqDesigner.so.0 exports ${exported} symbols")
# Nothing of the build tree may leak into the installed package.
foreach(file VdqDesignerTargets.cmake VdqDesignerStaticTargets.cmake)
  file(READ ${prefix}/lib/cmake/VdqDesigner/${file} targets)
  string(FIND "${targets}" "${VDQ_BUILD_DIR}" leak)
  if(NOT leak EQUAL -1)
    message(FATAL_ERROR "The installed ${file} refers to the build tree ${VDQ_BUILD_DIR}")
  endif()
endforeach()

set(flags)
if(VDQ_SANITIZE)
  # The installed library is instrumented; the host's link must bring the runtimes.
  set(flags -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined
            -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined)
endif()
set(readme ${VDQ_HOST_SOURCE}/../../../README.md)
foreach(link Shared Static)
  set(hostbuild ${VDQ_WORK_DIR}/host-${link})
  run("Configuring the third-party host (${link})" ${CMAKE_COMMAND} -S ${VDQ_HOST_SOURCE} -B ${hostbuild}
      -G ${VDQ_GENERATOR} -DCMAKE_CXX_COMPILER=${VDQ_CXX_COMPILER} -DCMAKE_BUILD_TYPE=${VDQ_BUILD_TYPE}
      -DCMAKE_PREFIX_PATH=${prefix} -DVDQ_README=${readme} -DVDQ_LINK=${link} ${flags})
  run("Building the third-party host (${link})" ${CMAKE_COMMAND} --build ${hostbuild})
  find_program(host_${link} thirdpartyhost PATHS ${hostbuild} NO_DEFAULT_PATH REQUIRED NO_CACHE)
  run("Running the third-party host (${link})" ${host_${link}})
  string(STRIP "${run_output}" run_output)
  if(NOT run_output STREQUAL "OK")
    message(FATAL_ERROR "The third-party host (${link}) printed \"${run_output}\", not OK")
  endif()
  message("THIRDPARTY HOST (${link}): OK")
  if(link STREQUAL "Shared")
    # The same host on a German locale: the designer's windows speak German.
    run("Running the third-party host in German" ${CMAKE_COMMAND} -E env LANGUAGE=de LANG=de_DE.UTF-8 ${host_${link}})
    message("THIRDPARTY HOST (${link}, German): OK")
  endif()
endforeach()

# A host built without CMake: the compiler and pkg-config alone.
if(NOT VDQ_SANITIZE)
  set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
  run("Asking pkg-config" pkg-config --cflags --libs vdqdesigner)
  string(STRIP "${run_output}" pkgflags)
  separate_arguments(pkgflags UNIX_COMMAND "${pkgflags}")
  file(WRITE ${VDQ_WORK_DIR}/pkghost.cpp "#include <vdqdesignerwidget.h>
#include <QApplication>
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    VdqDesignerWidget designer;
    return designer.sql().isEmpty() ? 0 : 1;
}
")
  run("Building a host with pkg-config" ${VDQ_CXX_COMPILER} -std=c++17 -fPIC ${VDQ_WORK_DIR}/pkghost.cpp
      -o ${VDQ_WORK_DIR}/pkghost ${pkgflags} -Wl,-rpath,${prefix}/lib)
  run("Running the pkg-config host" ${VDQ_WORK_DIR}/pkghost)
  message("PKG-CONFIG HOST: OK")
endif()
