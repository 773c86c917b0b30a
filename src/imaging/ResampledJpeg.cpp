#include "imaging/ResampledJpeg.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/PreShrink.h"
#include "imaging/ResampleContributions.h"
#include "imaging/ResampleFilters.h"
#include "imaging/ResampleKernels.h"

#include <cstring>
#include <stdexcept>

namespace pictaven {
namespace {

constexpr float LanczosSupport = 3;

// The state of one banded decode.
class BandedResample {
public:
    BandedResample(const std::function<ImageSize(ImageSize)>& chooseSize, bool withThumbnailSource,
                   ResamplePath path)
        : m_chooseSize(chooseSize), m_withThumbnailSource(withThumbnailSource), m_path(path)
    {
    }

    void start(ImageSize source)
    {
        m_source = source;
        m_target = m_chooseSize(source);
        m_keepWhole = m_target == source;
        if (m_keepWhole) {
            m_whole = Bitmap(source.width, source.height);
        } else {
            m_result = Bitmap(m_target.width, m_target.height);
            if (!m_result.empty()) {
                m_columns = makeResampleContributions(m_target.width, source.width, lanczos3Filter, LanczosSupport);
                m_rows = makeResampleContributions(m_target.height, source.height, lanczos3Filter, LanczosSupport);
                m_work.emplace(m_target.width, source.height);
            }
        }
        if (m_withThumbnailSource) {
            const double factor = preShrinkFactor(source.width, source.height);
            m_shrunkWidth = static_cast<int>(source.width * factor);
            m_shrunkHeight = static_cast<int>(source.height * factor);
            m_shrunkRows = Bitmap(source.width, m_shrunkHeight);
        }
    }

    void band(const Bitmap& band, int firstRow, int rowCount)
    {
        const std::size_t rowBytes = band.stride();
        if (m_keepWhole)
            std::memcpy(m_whole.row(firstRow), band.data(), rowBytes * static_cast<std::size_t>(rowCount));
        else if (m_work)
            resampleBand(band, firstRow, rowCount);
        // The rows the nearest-neighbour pre-shrink picks, kept as they pass: output row t takes
        // the source row under its centre, as stretchBitmap chooses it.
        for (; m_nextShrunkRow < m_shrunkHeight; ++m_nextShrunkRow) {
            const auto sourceRow = static_cast<int>((2 * static_cast<std::int64_t>(m_nextShrunkRow) + 1) *
                                                    m_source.height / (2 * std::int64_t{m_shrunkHeight}));
            if (sourceRow >= firstRow + rowCount)
                break;
            std::memcpy(m_shrunkRows.row(m_nextShrunkRow), band.row(sourceRow - firstRow), rowBytes);
        }
    }

    ResampledJpeg finish()
    {
        ResampledJpeg result;
        result.sourceSize = m_source;
        if (m_keepWhole) {
            result.picture = std::move(m_whole);
        } else {
            if (m_work)
                resampleColumns();
            result.picture = std::move(m_result);
        }
        if (m_withThumbnailSource) {
            ThumbnailSource source;
            source.width = m_source.width;
            source.height = m_source.height;
            // The kept rows are exactly the pre-shrunk picture's rows, so stretching them to the
            // pre-shrunk size picks the same columns and keeps the rows.
            source.preShrunk = Bitmap(m_shrunkWidth, m_shrunkHeight);
            stretchBitmap(source.preShrunk, {0, 0, m_shrunkWidth, m_shrunkHeight}, m_shrunkRows);
            result.thumbnailSource = std::move(source);
        }
        return result;
    }

private:
    void resampleBand(const Bitmap& band, int firstRow, int rowCount)
    {
        ResampleWork rows(m_target.width, rowCount);
#if PICTAVEN_AVX2_KERNELS
        if (m_path == ResamplePath::Avx2)
            resampleRowsAvx2(band, m_columns, rows);
        else
            resampleRowsScalar(band, m_columns, rows);
#else
        resampleRowsScalar(band, m_columns, rows);
#endif
        std::memcpy(m_work->row(firstRow), rows.row(0), rows.stride() * static_cast<std::size_t>(rowCount));
    }

    void resampleColumns()
    {
#if PICTAVEN_AVX2_KERNELS
        if (m_path == ResamplePath::Avx2) {
            resampleColumnsAvx2(*m_work, m_rows, m_result);
            return;
        }
#endif
        resampleColumnsScalar(*m_work, m_rows, m_result);
    }

    const std::function<ImageSize(ImageSize)>& m_chooseSize;
    bool m_withThumbnailSource;
    ResamplePath m_path;
    ImageSize m_source;
    ImageSize m_target;
    bool m_keepWhole = false;
    Bitmap m_whole;
    Bitmap m_result;
    ResampleContributions m_columns;
    ResampleContributions m_rows;
    std::optional<ResampleWork> m_work;
    int m_shrunkWidth = 0;
    int m_shrunkHeight = 0;
    int m_nextShrunkRow = 0;
    Bitmap m_shrunkRows;
};

} // namespace

ResampledJpeg readJpegResampled(const std::string& path, const std::function<ImageSize(ImageSize)>& chooseSize,
                                bool withThumbnailSource, ResamplePath resamplePath)
{
    if (!resamplePathAvailable(resamplePath))
        throw std::invalid_argument("This processor cannot run the chosen resampling path");
    BandedResample state(chooseSize, withThumbnailSource, resamplePath);
    JpegBandReader reader;
    reader.start = [&state](ImageSize size) { state.start(size); };
    reader.band = [&state](const Bitmap& band, int firstRow, int rowCount) { state.band(band, firstRow, rowCount); };
    readJpegBands(path, reader);
    return state.finish();
}

ThumbnailSource readJpegThumbnailSource(const std::string& path)
{
    ResampledJpeg decoded = readJpegResampled(path, [](ImageSize) { return ImageSize{}; }, true);
    return std::move(*decoded.thumbnailSource);
}

} // namespace pictaven
