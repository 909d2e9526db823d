// Auto Run: from where the user left the crosshair, record the point, step
// one X step, let Find-Y settle on the curve, and repeat until the crosshair
// has passed the Max X position. The run happens inside one click.
#pragma once

class TForm2;

class AutoRunDriver {
  public:
    explicit AutoRunDriver(TForm2 &window) : window_(window) {}
    void Run();

  private:
    TForm2 &window_;
};
