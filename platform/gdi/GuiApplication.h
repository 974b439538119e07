#pragma once
// Fonts need a GUI application object. The program creates its own; headless tools and tests
// call EnsureGuiApplication, which creates one when none exists (on the calling thread).

void EnsureGuiApplication();
// Makes the screen metrics follow the toolkit's primary screen, now and when it changes;
// called right after the application object is made.
void FollowPrimaryScreen();
