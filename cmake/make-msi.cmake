# Builds the Windows Installer package of a QuellwireGL.scr with wixl (msitools), from
# resources/QuellwireGL.wxs.in:
#   cmake -D VERSION=<a.b.c.d> -D ARCH=<x64|x86> -D SAVER=<QuellwireGL.scr> -D OUTPUT=<file.msi>
#         [-D WIXL=<wixl>] -P cmake/make-msi.cmake
# The Windows build runs it for its own saver and the project's version (resources/); the
# end-to-end tests run it again with a higher version to make a package that upgrades it.
#
# The package's identity:
# - The UpgradeCode below, fixed for good, is shared by the x64 and the x86 package: they are one
#   product, and a machine should hold one of them. A newer package of either kind replaces an
#   older one of either kind (a machine moved from the x86 package to a newer x64 one keeps no
#   stale 32-bit copy) and an older one of either kind is refused.
# - The ProductCode is new for each version and architecture (a name-based UUID of both under the
#   UpgradeCode, see below), and the same again when the same version is rebuilt.
# - The component's GUID is one per architecture, since the file's place differs (the 64-bit or
#   the 32-bit system folder), and the same in every version.
# - The same version of the other architecture replaces the installed one too, so that a 64-bit
#   machine never holds both: one saver, one entry in the list of installed programs, whichever
#   package came last. (The same package again finds its own product installed and changes
#   nothing.)
# - The saver is a versioned file, with the version of its version resource: Windows Installer
#   then repairs a saver that was replaced by another file, and inventories show its version.
#
# wixl leaves out two of these: its upgrade row excludes the equal version, and it writes no file
# version. Both are set in the built package's tables with msibuild (msitools).
cmake_minimum_required(VERSION 3.20)

set(QW_MSI_UPGRADE_CODE "{AA981977-3E00-472A-ADE2-1173F91D7E57}")

foreach(input VERSION ARCH SAVER OUTPUT)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "make-msi.cmake: -D ${input}=... is missing")
  endif()
endforeach()

# Windows Installer takes versions of up to four numbers (255, 255, 65535, 65535) and compares
# only the first three when it upgrades, so the ProductCode is made from those three: a package
# that differs in the fourth alone is the same product, which Windows Installer then refuses to
# install over it, rather than a second one beside it.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.[0-9]+)?$" OR CMAKE_MATCH_1 GREATER 255
   OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "make-msi.cmake: '${VERSION}' is not a Windows Installer product version")
endif()
set(upgrade_version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3})
# The version resource always has four numbers.
set(file_version ${upgrade_version}.0)
if(CMAKE_MATCH_4)
  set(file_version ${upgrade_version}${CMAKE_MATCH_4})
endif()

if(ARCH STREQUAL x64)
  set(QW_MSI_SYSTEM_FOLDER System64Folder)
  set(QW_MSI_WIN64 yes)
elseif(ARCH STREQUAL x86)
  set(QW_MSI_SYSTEM_FOLDER SystemFolder)
  set(QW_MSI_WIN64 no)
else()
  message(FATAL_ERROR "make-msi.cmake: ARCH must be x64 or x86, not '${ARCH}'")
endif()

string(SUBSTRING "${QW_MSI_UPGRADE_CODE}" 1 36 namespace)
string(UUID product_code NAMESPACE ${namespace} NAME "QuellwireGL ${upgrade_version} ${ARCH}"
       TYPE SHA1 UPPER)
string(UUID component_guid NAMESPACE ${namespace} NAME "QuellwireGL.scr in ${QW_MSI_SYSTEM_FOLDER}"
       TYPE SHA1 UPPER)
set(QW_MSI_PRODUCT_CODE "{${product_code}}")
set(QW_MSI_COMPONENT_GUID "{${component_guid}}")
set(QW_MSI_VERSION ${VERSION})
set(QW_MSI_ARCH ${ARCH})
get_filename_component(saver "${SAVER}" ABSOLUTE)
if(NOT EXISTS "${saver}")
  message(FATAL_ERROR "make-msi.cmake: no saver at ${saver}")
endif()

# wixl takes the files a description names from its working folder only: the filled-in
# description and the two files go into one folder beside the package (kept, for reading).
get_filename_component(resources "${CMAKE_CURRENT_LIST_DIR}/../resources" ABSOLUTE)
get_filename_component(output "${OUTPUT}" ABSOLUTE)
string(REGEX REPLACE "\\.msi$" "" stem "${output}")
set(work "${stem}.wixl")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
configure_file("${resources}/QuellwireGL.wxs.in" "${work}/QuellwireGL.wxs" @ONLY)
file(COPY "${saver}" "${resources}/quellwire.ico" DESTINATION "${work}")
get_filename_component(saver_name "${saver}" NAME)
if(NOT saver_name STREQUAL QuellwireGL.scr)
  file(RENAME "${work}/${saver_name}" "${work}/QuellwireGL.scr")
endif()

foreach(tool WIXL MSIBUILD)
  if(NOT ${tool})
    string(TOLOWER ${tool} name)
    find_program(${tool} ${name})
    if(NOT ${tool})
      message(FATAL_ERROR "make-msi.cmake: ${name} is not installed (scripts/install-deps.sh)")
    endif()
  endif()
endforeach()
# wixl leaves out, with only a warning, what it does not understand: a package built from such a
# description would lack it, so any warning fails the build.
execute_process(COMMAND "${WIXL}" --arch ${ARCH} --output package.msi QuellwireGL.wxs
                WORKING_DIRECTORY "${work}" RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  file(REMOVE "${work}/package.msi")
  message(FATAL_ERROR "make-msi.cmake: wixl failed on ${work}/QuellwireGL.wxs (${status}):\n"
                      "${out}${err}")
endif()

# The upgrade row that removes what is installed: any version up to this one, this one included
# (msidbUpgradeAttributesMigrateFeatures | msidbUpgradeAttributesVersionMaxInclusive). Its
# attributes are part of the table's key, so the row is replaced, not updated. Language 1033 is
# the version resource's.
execute_process(
  COMMAND "${MSIBUILD}" package.msi
    -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
    -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('${QW_MSI_UPGRADE_CODE}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
    -q "UPDATE `File` SET `Version` = '${file_version}', `Language` = '1033' WHERE `File` = 'QuellwireGL.scr'"
  WORKING_DIRECTORY "${work}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  file(REMOVE "${work}/package.msi")
  message(FATAL_ERROR "make-msi.cmake: msibuild could not set the upgrade row and file version "
                      "(${status}):\n${out}${err}")
endif()
file(RENAME "${work}/package.msi" "${output}")
