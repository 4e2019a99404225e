# Builds the MSI of one width: cmake -P build_msi.cmake with
#   SOURCE_DIR  the repository     EXE     the program     ARCH  x86 or x64
#   VERSION     project version    WORK    a scratch folder  OUTPUT the .msi
#
# wixl (Debian's msitools) knows no component attributes or conditions, nor
# same-version upgrades, so they are set in the built database with msibuild:
# Plimex.ini is permanent (16) and never overwritten (128); the Startup
# shortcut follows AUTOSTART when it is given and else stays as it is
# (STARTUPSHORTCUTFOUND: the shortcut file, found before an update removes
# the older package, so that one the user deleted stays deleted), its
# condition evaluated again at every repair (transitive, 64, beside the
# registry key path, 4) and true at uninstall, or Wine would leave it; a
# package of the same version, of the other width for one, replaces the
# installed one (VersionMaxInclusive, 512). wixl makes the custom action that
# sets ARPINSTALLLOCATION deferred and runs it after InstallFinalize, too
# late for the uninstall entry: it becomes an immediate one (51) after
# CostFinalize.
cmake_minimum_required(VERSION 3.25)

# wixl takes sources by paths relative to where it runs: everything is staged.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Fonds)
file(COPY ${EXE} ${SOURCE_DIR}/resources/plimex.ico DESTINATION ${WORK})

# What the program reads at its first start from the install folder; a
# relative folder, made absolute by the program when it shows it.
file(WRITE ${WORK}/Plimex.ini "[options]\r\nRep=Fonds\\\r\nTps=1\r\nEtat=1\r\n")

file(GLOB samples ${SOURCE_DIR}/resources/backgrounds/*.bmp)
list(SORT samples)
set(SAMPLE_FILES "")
set(key_path " KeyPath=\"yes\"")
file(COPY ${samples} DESTINATION ${WORK}/Fonds)
foreach(sample ${samples})
    get_filename_component(name ${sample} NAME)
    string(MAKE_C_IDENTIFIER ${name} id)
    string(APPEND SAMPLE_FILES
        "                <File Id=\"${id}\" Name=\"${name}\" Source=\"Fonds/${name}\"${key_path}/>\n")
    set(key_path "")
endforeach()
# What Apps & Features shows as the size: the installed files.
set(bytes 0)
file(GLOB_RECURSE installed ${WORK}/plimex.exe ${WORK}/Plimex.ini ${WORK}/Fonds/*)
foreach(file ${installed})
    file(SIZE ${file} file_bytes)
    math(EXPR bytes "${bytes} + ${file_bytes}")
endforeach()
math(EXPR ARP_SIZE_KB "(${bytes} + 1023) / 1024")

# Windows Installer versions have three numbers.
string(REGEX MATCHALL "[0-9]+" numbers "${VERSION}.0.0")
list(SUBLIST numbers 0 3 numbers)
list(JOIN numbers "." MSI_VERSION)
set(PROJECT_VERSION ${VERSION})
# Shared by every version and both widths: each replaces the other.
set(UPGRADE_CODE {8D3C2A6E-5B1F-4E7A-9C0D-2F6B7A1E4C93})
if(ARCH STREQUAL "x64")
    set(ARCH_NAME "64 bits")
    set(TEMPLATE_PLATFORM x64)
else()
    set(ARCH_NAME "32 bits")
    set(TEMPLATE_PLATFORM Intel)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/plimex.wxs.in ${WORK}/plimex.wxs @ONLY)

execute_process(COMMAND wixl -a ${ARCH} -o plimex.msi plimex.wxs WORKING_DIRECTORY ${WORK}
    COMMAND_ERROR_IS_FATAL ANY)
# The French texts are in code page 1252, which wixl does not record.
file(WRITE ${WORK}/_ForceCodepage.idt "\r\n\r\n1252\t_ForceCodepage\r\n")
# wixl has no file search: the tables are imported whole, and the search
# added to both sequences.
file(WRITE ${WORK}/AppSearch.idt "Property\tSignature_\r\ns72\ts72\r\nAppSearch\tProperty\tSignature_\r\n"
    "STARTUPSHORTCUTFOUND\tStartupShortcutFile\r\n")
file(WRITE ${WORK}/Signature.idt
    "Signature\tFileName\tMinVersion\tMaxVersion\tMinSize\tMaxSize\tMinDate\tMaxDate\tLanguages\r\n"
    "s72\ts255\tS20\tS20\tI4\tI4\tI4\tI4\tS255\r\nSignature\tSignature\r\n"
    "StartupShortcutFile\tPLIMEX~1.LNK|Plimex 2000.lnk\t\t\t\t\t\t\t\r\n")
file(WRITE ${WORK}/DrLocator.idt "Signature_\tParent\tPath\tDepth\r\ns72\tS72\tS255\tI2\r\n"
    "DrLocator\tSignature_\tParent\tPath\r\nStartupShortcutFile\t\t[StartupFolder]\t0\r\n")
execute_process(COMMAND msibuild plimex.msi -i _ForceCodepage.idt
    -i AppSearch.idt -i Signature.idt -i DrLocator.idt
    -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)"
    -q "INSERT INTO `InstallUISequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)"
    -q "UPDATE `Component` SET `Attributes` = 144 WHERE `Component` = 'Options'"
    -q "UPDATE `Component` SET `Attributes` = 68, `Condition` = '(AUTOSTART AND AUTOSTART <> \"0\") OR (NOT AUTOSTART AND STARTUPSHORTCUTFOUND) OR REMOVE~=\"ALL\"' WHERE `Component` = 'StartupShortcut'"
    -q "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'SetInstallLocation'"
    -q "UPDATE `InstallExecuteSequence` SET `Sequence` = 1001 WHERE `Action` = 'SetInstallLocation'"
    -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
    -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('${UPGRADE_CODE}', '${MSI_VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
    WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)
# wixl writes the width's platform into the summary's Template but its own
# language (1033), not the package's French.
execute_process(COMMAND msibuild plimex.msi -s "Plimex 2000 ${VERSION} (${ARCH_NAME})" "Plimex 2000"
    "${TEMPLATE_PLATFORM};1036" WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${WORK}/plimex.msi ${OUTPUT})
