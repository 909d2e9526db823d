// The pages of a PDF document, rendered with Poppler: anti-aliased, on white.
#pragma once

#include "DrawnPicture.h"

namespace Poppler {
class Document;
}

class PdfPages : public DrawnPicture {
  public:
    // Throws Error("Cannot read <path>: " + the reason) for a damaged file and
    // Error("<path> is protected by a password") for a locked one.
    explicit PdfPages(const QString &path);
    ~PdfPages() override;

    int Pages() const override;
    bool PerInch() const override { return true; }
    int DefaultResolution() const override;
    Rendering Render(int page, int resolution) const override;

  private:
    std::unique_ptr<Poppler::Document> document_;
};
