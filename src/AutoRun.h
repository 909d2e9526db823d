// Auto Run: from where the user left the crosshair, step by step up to the
// Max X position (with a third point, along the drawn X axis to it), the
// curve tracker settles the crosshair on the curve and the point is recorded
// only where the line is where the curve is heading; the status line then
// says how many points were recorded and how many steps were skipped for
// want of the line. The run happens inside one click.
#pragma once

#include <QString>

class TForm2;

class AutoRunDriver {
  public:
    explicit AutoRunDriver(TForm2 &window) : window_(window) {}
    void Run();

  private:
    TForm2 &window_;
};

// "96 points, 5 steps without the line skipped".
QString RunSummary(int recorded, int skipped);
