# Installs Orrin the way a desktop expects it (GNUInstallDirs, any prefix,
# DESTDIR honoured) and packages the result as one .deb with CPack.
include(GNUInstallDirs)

set(ORRIN_APP_ID com.velnor.Orrin)
set(ORRIN_PACKAGE orrin)
set(ORRIN_PACKAGE_DATADIR "${CMAKE_INSTALL_DATADIR}/${ORRIN_PACKAGE}")
set(ORRIN_PACKAGE_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/${ORRIN_PACKAGE}")
set(ORRIN_DIST_DIR "${PROJECT_SOURCE_DIR}/dist")
# Directories made on the way get these, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Man pages and the changelog go compressed, without name or time stamp, so
# that two builds give the same bytes.
find_program(ORRIN_GZIP gzip REQUIRED)
set(orrin_gzipped)
# orrin_gzip(source output): output, named like source plus .gz, is its
# compressed copy.
function(orrin_gzip source output)
    string(REGEX REPLACE "\\.gz$" "" copy "${output}")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${copy}"
        COMMAND "${ORRIN_GZIP}" -9n -f "${copy}"
        DEPENDS "${source}"
        VERBATIM)
    set(orrin_gzipped ${orrin_gzipped} "${output}" PARENT_SCOPE)
endfunction()

set(dist_out "${PROJECT_BINARY_DIR}/dist")
file(MAKE_DIRECTORY "${dist_out}")
orrin_gzip("${ORRIN_DIST_DIR}/orrin-calc.1" "${dist_out}/orrin-calc.1.gz")
orrin_gzip("${ORRIN_DIST_DIR}/changelog" "${dist_out}/changelog.gz")
install(FILES "${dist_out}/orrin-calc.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${ORRIN_DIST_DIR}/copyright" "${dist_out}/changelog.gz" DESTINATION "${ORRIN_PACKAGE_DOCDIR}")

if(TARGET orrin AND NOT WIN32)
    install(TARGETS orrin RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

    # The help lies beside the program in a build folder and in the package's
    # data folder once installed; the program looks in both, the second one
    # relative to itself so that any prefix works.
    file(RELATIVE_PATH help_dir_from_program
         "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/${ORRIN_PACKAGE}")
    target_compile_definitions(orrin_app PRIVATE
        "ORRIN_HELP_DIR_FROM_PROGRAM=\"${help_dir_from_program}\""
        "ORRIN_APP_ID=\"${ORRIN_APP_ID}\"")
    target_compile_definitions(orrin_platform PRIVATE
        "ORRIN_HELP_DIR_FROM_PROGRAM=\"${help_dir_from_program}\""
        "ORRIN_APP_ID=\"${ORRIN_APP_ID}\"")
    if(TARGET orrin_help)
        install(FILES "$<TARGET_FILE_DIR:orrin>/Orrin.chm" DESTINATION "${ORRIN_PACKAGE_DATADIR}")
    endif()

    install(FILES "${ORRIN_DIST_DIR}/${ORRIN_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${ORRIN_DIST_DIR}/${ORRIN_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    foreach(size IN ITEMS 16 32 48 128)
        install(FILES "${PROJECT_SOURCE_DIR}/res/orrin-${size}.png"
                DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
                RENAME "${ORRIN_APP_ID}.png")
    endforeach()
    install(FILES "${PROJECT_SOURCE_DIR}/res/orrin.svg"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
            RENAME "${ORRIN_APP_ID}.svg")

    orrin_gzip("${ORRIN_DIST_DIR}/orrin.1" "${dist_out}/orrin.1.gz")
    install(FILES "${dist_out}/orrin.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()

add_custom_target(orrin_dist ALL DEPENDS ${orrin_gzipped})
# Building just the programs (as scripts/run.sh does) is then enough for cpack.
add_dependencies(orrin-calc orrin_dist)

# cpack -G DEB
set(CPACK_PACKAGE_NAME "${ORRIN_PACKAGE}")
set(CPACK_PACKAGE_VENDOR "Orrin developers")
set(CPACK_PACKAGE_CONTACT "Orrin developers <dev@orrin.invalid>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resident desktop calculator with a clipboard hot key")
# Debian shows the description as it stands: lines under 80 columns, an
# empty line between paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Orrin lives in the notification area. Its window is a thin always-on-top"
    "strip with an entry box: type an expression and press Enter for a decimal"
    "result or Ctrl+Shift+H for a hexadecimal one, and the line"
    "\"expression : result\" joins the box's history."
    ""
    "Ctrl+Shift+C in any application evaluates the text on the clipboard and"
    "puts the result back on the clipboard. Named constants with descriptions"
    "are kept in a data file and edited on the settings sheet; the help is in"
    "Japanese."
    ""
    "The package also contains orrin-calc, the same engine on the command line.")
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help command hands Orrin.chm to the desktop's CHM viewer, else to xCHM;
# Qt's own texts (the edit field's menu, standard buttons) need Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm, qt6-translations-l10n")
include(CPack)
