# The application icon is drawn once, as SVG. Its PNG sizes are rendered from it at build time
# with rsvg-convert (Debian package librsvg2-bin), so no rendered picture is kept in the sources.
# The same PNGs serve as the window icon built into the executable and as the icon theme's
# fixed sizes in the package.

set(QUORVANE_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/../packaging/quorvane.svg)
set(QUORVANE_ICON_SIZES 48 128 256)
set(QUORVANE_ICON_PNG_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)

find_program(QUORVANE_RSVG_CONVERT rsvg-convert)
if(NOT QUORVANE_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert renders Quorvane's icon: install the Debian package "
                      "librsvg2-bin (scripts/deps.sh does)")
endif()

# Renders the icon at every size into ${QUORVANE_ICON_PNG_DIR}/<size>.png and builds the PNGs
# into target as the Qt resources :/icons/<size>.png.
function(quorvane_add_window_icon target)
  set(pngs)
  foreach(size IN LISTS QUORVANE_ICON_SIZES)
    set(png ${QUORVANE_ICON_PNG_DIR}/${size}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVANE_ICON_PNG_DIR}
      COMMAND ${QUORVANE_RSVG_CONVERT} --width=${size} --height=${size} --output=${png}
              ${QUORVANE_ICON_SVG}
      DEPENDS ${QUORVANE_ICON_SVG}
      COMMENT "Rendering the ${size} px icon"
      VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  qt_add_resources(${target} quorvane_icons PREFIX /icons BASE ${QUORVANE_ICON_PNG_DIR}
                   FILES ${pngs})
endfunction()
