#pragma once
// Fonts need a GUI application object. The program creates its own; headless tools and tests
// call EnsureGuiApplication, which creates one when none exists (on the calling thread).

void EnsureGuiApplication();
