# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Debian packages made by CPack (scripts/package.sh): one package per install component,
#   Runtime      -> libvdqdesigner0      the shared library, named after its SONAME
#   Development  -> libvdqdesigner-dev   headers, the .so link, CMake and pkg-config files
#   Tools        -> vdqdesigner-tools    VDQBExample, vdqsql, desktop files, manual pages, sample
# each with its DEP-5 copyright file and changelog.Debian.gz, its dependencies from
# dpkg-shlibdeps. Included at the end of the top-level CMakeLists.txt, when every install
# rule is known.
#
# Install rules that name no component ("Unspecified") go with the library's package in a
# shared build and with the development package in a static one, so that a rule without its
# component is packaged somewhere instead of being lost.

set(VDQ_DEB_MAINTAINER "The VdqDesigner developers <vdqdesigner@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian packages")
set(VDQ_DEB_RELEASE 1 CACHE STRING "Debian revision of the packages")
set(_vdq_deb_version ${PROJECT_VERSION}-${VDQ_DEB_RELEASE})

# The project's shared libraries: their build directories let dpkg-shlibdeps find them for the
# programs of the other packages, and the first SOVERSION among them names the library package.
function(vdq_shared_libraries dir dirs_var soversion_var)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${_targets})
    get_target_property(_type ${t} TYPE)
    if(_type STREQUAL "SHARED_LIBRARY")
      get_target_property(_out ${t} LIBRARY_OUTPUT_DIRECTORY)
      if(NOT _out)
        get_target_property(_out ${t} BINARY_DIR)
      endif()
      list(APPEND ${dirs_var} ${_out})
      get_target_property(_sover ${t} SOVERSION)
      if(NOT DEFINED ${soversion_var} AND NOT _sover STREQUAL "_sover-NOTFOUND")
        set(${soversion_var} ${_sover})
      endif()
    endif()
  endforeach()
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${_subdirs})
    vdq_shared_libraries(${sub} ${dirs_var} ${soversion_var})
  endforeach()
  list(REMOVE_DUPLICATES ${dirs_var})
  set(${dirs_var} ${${dirs_var}} PARENT_SCOPE)
  if(DEFINED ${soversion_var})
    set(${soversion_var} ${${soversion_var}} PARENT_SCOPE)
  endif()
endfunction()
set(_vdq_lib_dirs)
vdq_shared_libraries(${PROJECT_SOURCE_DIR} _vdq_lib_dirs _vdq_soversion)
if(NOT DEFINED _vdq_soversion)
  set(_vdq_soversion 0)
endif()

set(_vdq_pkg_Runtime libvdqdesigner${_vdq_soversion})
set(_vdq_pkg_Development libvdqdesigner-dev)
set(_vdq_pkg_Tools vdqdesigner-tools)

# Which package each component goes into; a package is made when one of its components has
# install rules.
get_cmake_property(_vdq_components COMPONENTS)
set(CPACK_COMPONENTS_ALL)
set(_vdq_packages)
foreach(component Runtime Development Tools Unspecified)
  if(NOT component IN_LIST _vdq_components)
    continue()
  endif()
  set(_group ${component})
  if(component STREQUAL "Unspecified")
    set(_group Development)
    message(STATUS "Install rules without a component go into ${_vdq_pkg_${_group}}")
  endif()
  string(TOUPPER ${component} _upper)
  set(CPACK_COMPONENT_${_upper}_GROUP ${_group})
  list(APPEND CPACK_COMPONENTS_ALL ${component})
  if(NOT _group IN_LIST _vdq_packages)
    list(APPEND _vdq_packages ${_group})
    set(_vdq_doc_component_${_group} ${component})
  endif()
endforeach()

# /usr/share/doc/<package>: the licence in Debian's machine-readable form, from LICENSE, and
# the Debian changelog, compressed as policy asks.
set(_vdq_deb_dir ${PROJECT_BINARY_DIR}/packaging/deb)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE _vdq_license_lines)
set(_vdq_license_text)
set(_vdq_in_terms OFF)
foreach(line IN LISTS _vdq_license_lines)
  # The terms begin after the title and the copyright line.
  if(line MATCHES "^Redistribution")
    set(_vdq_in_terms ON)
  endif()
  if(_vdq_in_terms)
    if(line STREQUAL "")
      string(APPEND _vdq_license_text " .\n")
    else()
      string(APPEND _vdq_license_text " ${line}\n")
    endif()
  endif()
endforeach()
file(WRITE ${_vdq_deb_dir}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: VDQ Designer
Upstream-Contact: ${VDQ_DEB_MAINTAINER}

Files: *
Copyright: 2026 The VdqDesigner developers
License: BSD-3-Clause

Files: packaging/*.metainfo.xml
Copyright: 2026 The VdqDesigner developers
License: FSFAP

License: BSD-3-Clause
${_vdq_license_text}
License: FSFAP
 Copying and distribution of this file, with or without modification, are
 permitted in any medium without royalty provided the copyright notice and
 this notice are preserved. This file is offered as-is, without any warranty.
")
# SOURCE_DATE_EPOCH, when set, gives the date, so that a rebuild gives the same package.
string(TIMESTAMP _vdq_deb_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${_vdq_deb_dir}/changelog.Debian
"vdqdesigner (${_vdq_deb_version}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}, packaged by CPack from the project's install rules.

 -- ${VDQ_DEB_MAINTAINER}  ${_vdq_deb_date}
")
execute_process(COMMAND gzip -9n -c ${_vdq_deb_dir}/changelog.Debian
                OUTPUT_FILE ${_vdq_deb_dir}/changelog.Debian.gz RESULT_VARIABLE _vdq_gzip)
if(NOT _vdq_gzip EQUAL 0)
  message(FATAL_ERROR "gzip of ${_vdq_deb_dir}/changelog.Debian failed")
endif()
foreach(group ${_vdq_packages})
  # Only for the packages: a plain "cmake --install" leaves them out.
  install(FILES ${_vdq_deb_dir}/copyright ${_vdq_deb_dir}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${_vdq_pkg_${group}}
          COMPONENT ${_vdq_doc_component_${group}} EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vdqdesigner)
set(CPACK_PACKAGE_VENDOR "The VdqDesigner developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VDQ_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SOURCE vdqdesigner)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VDQ_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${_vdq_lib_dirs})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The SQLite alias driver is Qt's plug-in, which no linker dependency names.
set(_vdq_runtime_depends "libqt6sql6-sqlite")
set(_vdq_runtime_recommends "libqt6sql6-psql, libqt6sql6-mysql, libqt6sql6-odbc")
if("Runtime" IN_LIST _vdq_packages)
  set(_vdq_on_runtime "${_vdq_pkg_Runtime} (= ${_vdq_deb_version}), ")
endif()

# The shared library's package lets dpkg run ldconfig once for all packages through the trigger
# (CPack's own postinst calls ldconfig as well).
file(WRITE ${_vdq_deb_dir}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${_vdq_deb_dir}/triggers)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${_vdq_pkg_Runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${_vdq_runtime_depends}")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "${_vdq_runtime_recommends}")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "visual SQL query designer component for Qt 6 - library
VDQ Designer is a visual SQL query designer for Qt 6 desktop applications.
A host program opens it on a database and gets back the statement the user
designed: tables dragged onto a canvas, fields ticked, joins drawn, values,
conditions and sorting filled in, for a Select, Insert, Update or Delete
query. It works with SQLite, PostgreSQL, MySQL/MariaDB and ODBC through Qt SQL.
.
This package holds the shared library.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${_vdq_pkg_Development})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${_vdq_on_runtime}qt6-base-dev, libsqlite3-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "visual SQL query designer component for Qt 6 - development files
VDQ Designer is a visual SQL query designer for Qt 6 desktop applications.
A host program opens it on a database and gets back the statement the user
designed.
.
This package holds the headers and the files to build a host against the
library: the CMake package VdqDesigner and its pkg-config file.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME ${_vdq_pkg_Tools})
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION database)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "${_vdq_on_runtime}${_vdq_runtime_depends}")
set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS "${_vdq_runtime_recommends}")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "visual SQL query designer for Qt 6 - example host and tools
VDQ Designer is a visual SQL query designer for Qt 6 desktop applications.
.
This package holds VDQBExample, the example host that opens the designer on
a database alias, with its desktop entry and AppStream metainfo; vdqsql,
which turns a saved design into its SQL statement and a statement into a
design without a window; and the sample database's SQL script.")

include(CPack)
