#include "oillib/OilLibColumns.h"

namespace oillib {

const char* const OilLibColumnNames[kOilLibColumnCount] = {
    "Oil Name",  // 1
    "TAVRO Oil ID",  // 2
    "Location",  // 3
    "Field Name",  // 4
    "Synonyms",  // 5
    "Reference",  // 6
    "API",  // 7
    "Pour Point Min (K)",  // 8
    "Pour Point Max (K)",  // 9
    "Product Type",  // 10
    "Comments",  // 11
    "Asphaltene Content",  // 12
    "Wax Content",  // 13
    "Aromatics",  // 14
    "Water Content Emulsion",  // 15
    "Emuls Constant Min",  // 16
    "Emuls Constant Max",  // 17
    "Flash Point Min (K)",  // 18
    "Flash Point Max (K)",  // 19
    "Oil/Water Interfacial Tension (N/m)",  // 20
    "Oil/Water Interfacial Tension Ref Temp (K)",  // 21
    "Oil/Seawater Interfacial Tension (N/m)",  // 22
    "Oil/Seawater Interfacial Tension Ref Temp (K)",  // 23
    "Density#1 (kg/m^3)",  // 24
    "Density#1 Ref Temp (K)",  // 25
    "Density#1 Weathering",  // 26
    "Density#2 (kg/m^3)",  // 27
    "Density#2 Ref Temp (K)",  // 28
    "Density#2 Weathering",  // 29
    "Density#3 (kg/m^3)",  // 30
    "Density#3 Ref Temp (K)",  // 31
    "Density#3 Weathering",  // 32
    "Density#4 (kg/m^3)",  // 33
    "Density#4 Ref Temp (K)",  // 34
    "Density#4 Weathering",  // 35
    "KVis#1 (m^2/s)",  // 36
    "KVis#1 Ref Temp (K)",  // 37
    "KVis#1 Weathering",  // 38
    "KVis#2 (m^2/s)",  // 39
    "KVis#2 Ref Temp (K)",  // 40
    "KVis#2 Weathering",  // 41
    "KVis#3 (m^2/s)",  // 42
    "KVis#3 Ref Temp (K)",  // 43
    "KVis#3 Weathering",  // 44
    "KVis#4 (m^2/s)",  // 45
    "KVis#4 Ref Temp (K)",  // 46
    "KVis#4 Weathering",  // 47
    "KVis#5 (m^2/s)",  // 48
    "KVis#5 Ref Temp (K)",  // 49
    "KVis#5 Weathering",  // 50
    "KVis#6 (m^2/s)",  // 51
    "KVis#6 Ref Temp (K)",  // 52
    "KVis#6 Weathering",  // 53
    "DVis#1 (kg/ms)",  // 54
    "DVis#1 Ref Temp (K)",  // 55
    "DVis#1 Weathering",  // 56
    "DVis#2 (kg/ms)",  // 57
    "DVis#2 Ref Temp (K)",  // 58
    "DVis#2 Weathering",  // 59
    "DVis#3 (kg/ms)",  // 60
    "DVis#3 Ref Temp (K)",  // 61
    "DVis#3 Weathering",  // 62
    "DVis#4 (kg/ms)",  // 63
    "DVis#4 Ref Temp (K)",  // 64
    "DVis#4 Weathering",  // 65
    "DVis#5 (kg/ms)",  // 66
    "DVis#5 Ref Temp (K)",  // 67
    "DVis#5 Weathering",  // 68
    "DVis#6 (kg/ms)",  // 69
    "DVis#6 Ref Temp (K)",  // 70
    "DVis#6 Weathering",  // 71
    "Cut#1 Vapor Temp (K)",  // 72
    "Cut#1 Liquid Temp (K)",  // 73
    "Cut#1 Fraction",  // 74
    "Cut#2 Vapor Temp (K)",  // 75
    "Cut#2 Liquid Temp (K)",  // 76
    "Cut#2 Fraction",  // 77
    "Cut#3 Vapor Temp (K)",  // 78
    "Cut#3 Liquid Temp (K)",  // 79
    "Cut#3 Fraction",  // 80
    "Cut#4 Vapor Temp (K)",  // 81
    "Cut#4 Liquid Temp (K)",  // 82
    "Cut#4 Fraction",  // 83
    "Cut#5 Vapor Temp (K)",  // 84
    "Cut#5 Liquid Temp (K)",  // 85
    "Cut#5 Fraction",  // 86
    "Cut#6 Vapor Temp (K)",  // 87
    "Cut#6 Liquid Temp (K)",  // 88
    "Cut#6 Fraction",  // 89
    "Cut#7 Vapor Temp (K)",  // 90
    "Cut#7 Liquid Temp (K)",  // 91
    "Cut#7 Fraction",  // 92
    "Cut#8 Vapor Temp (K)",  // 93
    "Cut#8 Liquid Temp (K)",  // 94
    "Cut#8 Fraction",  // 95
    "Cut#9 Vapor Temp (K)",  // 96
    "Cut#9 Liquid Temp (K)",  // 97
    "Cut#9 Fraction",  // 98
    "Cut#10 Vapor Temp (K)",  // 99
    "Cut#10 Liquid Temp (K)",  // 100
    "Cut#10 Fraction",  // 101
    "Cut#11 Vapor Temp (K)",  // 102
    "Cut#11 Liquid Temp (K)",  // 103
    "Cut#11 Fraction",  // 104
    "Cut#12 Vapor Temp (K)",  // 105
    "Cut#12 Liquid Temp (K)",  // 106
    "Cut#12 Fraction",  // 107
    "Cut#13 Vapor Temp (K)",  // 108
    "Cut#13 Liquid Temp (K)",  // 109
    "Cut#13 Fraction",  // 110
    "Cut#14 Vapor Temp (K)",  // 111
    "Cut#14 Liquid Temp (K)",  // 112
    "Cut#14 Fraction",  // 113
    "Cut#15 Vapor Temp (K)",  // 114
    "Cut#15 Liquid Temp (K)",  // 115
    "Cut#15 Fraction",  // 116
    "Cut Units",  // 117
    "Oil Class",  // 118
    "Tox_EC(1)Species",  // 119
    "Tox_EC(1)24h",  // 120
    "Tox_EC(1)48h",  // 121
    "Tox_EC(1)96h",  // 122
    "Tox_EC(2)Species",  // 123
    "Tox_EC(2)24h",  // 124
    "Tox_EC(2)48h",  // 125
    "Tox_EC(2)96h",  // 126
    "Tox_EC(3)Species",  // 127
    "Tox_EC(3)24h",  // 128
    "Tox_EC(3)48h",  // 129
    "Tox_EC(3)96h",  // 130
    "Tox_LC(1)Species",  // 131
    "Tox_LC(1)24h",  // 132
    "Tox_LC(1)48h",  // 133
    "Tox_LC(1)96h",  // 134
    "Tox_LC(2)Species",  // 135
    "Tox_LC(2)24h",  // 136
    "Tox_LC(2)48h",  // 137
    "Tox_LC(2)96h",  // 138
    "Tox_LC(3)Species",  // 139
    "Tox_LC(3)24h",  // 140
    "Tox_LC(3)48h",  // 141
    "Tox_LC(3)96h",  // 142
    "Adhesion",  // 143
    "Benezene",  // 144
    "Naphthenes",  // 145
    "Paraffins",  // 146
    "Polars",  // 147
    "Resins",  // 148
    "Saturates",  // 149
    "Sulphur",  // 150
    "Reid Vapor Pressure",  // 151
    "Viscosity Multiplier",  // 152
    "Nickel",  // 153
    "Vanadium",  // 154
    "Conrandson Residuum",  // 155
    "Conrandson Crude",  // 156
    "Dispersability Temp (K)",  // 157
    "Preferred Oils",  // 158
    "K0Y",  // 159
};

}  // namespace oillib
