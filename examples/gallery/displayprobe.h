#pragma once

// Whether the desktop the environment names can be reached. An X display that is set but cannot
// be opened (a stale DISPLAY in a CI shell or over ssh) counts as no display.
bool displayUsable();

// Whether the platform plugin Qt will use has no OpenGL (offscreen, minimal), so Qt Quick must
// render in software.
bool platformNeedsSoftwareRendering();
