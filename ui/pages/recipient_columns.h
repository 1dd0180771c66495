#pragma once
// What the recipients page asks the grids organised by recipient (distribution, Contact ID):
// open or close a recipient's column as its number comes and goes.
namespace kvx::ui {

class IRecipientColumns {
public:
    // Opens or closes recipient DistributionNumber + 1 (0..9) in every row; checks stay.
    virtual void EnableDistribution(int DistributionNumber, bool Enable) = 0;

protected:
    ~IRecipientColumns() = default;
};

} // namespace kvx::ui
