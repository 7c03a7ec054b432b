#pragma once
// The framework's one start-up, at the top of its layers so that it can bring
// up what every layer needs.
namespace razezazo {

// Brings the framework up once: the default font, the window class
// "Ex_RazezaZO" and the edit boxes' shared context menu. The window system
// must have been started.
void FrameworkStartup();

}  // namespace razezazo
