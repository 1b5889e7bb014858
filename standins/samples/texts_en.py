"""English sample documents: (file name, title, pages); a page is a paragraph."""

DOCUMENTS = [
    ("lighthouse", "The Lighthouse Keeper", [
        "The lighthouse stands on a rocky island two miles off the coast. For ninety years a keeper "
        "lived there, trimming the wicks and winding the clockwork that turned the great lens.",
        "Storms cut the island off for weeks at a time. The keeper kept a logbook of every ship that "
        "passed, every change of wind and every visit of the supply boat from the harbour.",
        "Today the light is automatic and the keeper's cottage is a small museum. Visitors climb the "
        "spiral staircase and look out over the water the keepers watched for so long.",
    ]),
    ("bread", "Baking Bread at Home", [
        "Good bread needs only flour, water, salt and yeast. Mix the ingredients into a dough and "
        "knead it for ten minutes until it becomes smooth and elastic.",
        "Let the dough rise in a warm place until it doubles in size. Then shape it into a loaf, "
        "cover it with a cloth and let it rise a second time before baking.",
        "Bake the loaf in a hot oven for about forty minutes. The crust should be deep brown and "
        "the loaf should sound hollow when tapped on the bottom.",
    ]),
    ("railway", "A Short History of the Railway", [
        "The first public railway carried passengers behind a steam locomotive in 1825. Within "
        "twenty years railways connected the major cities and changed the way people travelled.",
        "Railway companies built stations, bridges and tunnels across the country. Engineers "
        "solved the problem of steep hills with long gradients, viaducts and spiral tunnels.",
        "Electric and diesel locomotives replaced steam in the twentieth century. Modern high "
        "speed trains run at more than three hundred kilometres per hour.",
    ]),
    ("garden", "The Kitchen Garden", [
        "A kitchen garden can feed a family for much of the year. Plan the beds so that tall plants "
        "do not shade the smaller ones, and rotate the crops every season.",
        "Tomatoes, beans and courgettes grow well in summer. Potatoes need deep soil and plenty of "
        "water, while herbs such as thyme and rosemary prefer dry and sunny corners.",
        "Compost returns nutrients to the soil. Collect kitchen scraps, grass cuttings and fallen "
        "leaves, turn the heap regularly and use the compost in spring.",
    ]),
    ("weather", "Understanding the Weather", [
        "Weather forecasts rely on measurements of air pressure, temperature, humidity and wind. "
        "Satellites and weather balloons add observations from high above the ground.",
        "Thunderstorms form when warm moist air rises quickly. Lightning strikes tall objects, so "
        "it is safer to avoid open fields and lonely trees during a storm.",
        "Fog forms on calm nights when the ground cools and the air above it reaches saturation. "
        "It usually clears in the morning as the sun warms the surface.",
    ]),
    ("library", "Library Rules", [
        "Members may borrow up to ten books at a time. The loan period is four weeks and may be "
        "renewed in person, by telephone or through the online catalogue.",
        "A fee is charged for late returns. Damaged or lost books must be replaced or paid for "
        "according to the price list displayed at the information desk.",
        "Please keep quiet in the reading room. Mobile telephones should be silenced, and food "
        "and drinks are not allowed near the shelves.",
    ]),
    ("bees", "Keeping Bees", [
        "A colony of honeybees has one queen, thousands of workers and, in summer, a few hundred "
        "drones. The workers gather nectar and pollen and build the wax comb.",
        "The beekeeper inspects the hives every week in spring to look for disease and signs of "
        "swarming. A colony that runs out of space may leave the hive with the old queen.",
        "Honey is harvested in late summer when the cells are capped. Fresh honey is liquid and "
        "fragrant; over time it crystallises, which is entirely natural.",
    ]),
    ("astronomy", "An Evening at the Observatory", [
        "The observatory opens its dome to the public every Friday evening. Visitors look through "
        "the telescope at the Moon, the planets and distant star clusters.",
        "Jupiter has four large moons discovered by Galileo. Saturn is famous for its rings of ice "
        "and dust. Both planets can be seen with a small telescope.",
        "The Orion Nebula is a region where new stars are being born. On a dark night it is "
        "visible to the naked eye as a faint smudge below the belt of Orion.",
    ]),
    ("cycling", "Looking After Your Bicycle", [
        "Check the tyre pressure and the brakes before every ride. A soft tyre punctures easily and "
        "makes pedalling harder. Brake pads wear out and must be replaced in time.",
        "Clean the chain with a rag and lubricate it with a thin layer of oil. Too much oil "
        "collects dust and sand, which grind the chain down quickly.",
        "Store the bicycle in a dry place over winter. In spring clean it, oil the moving parts and "
        "adjust the saddle and the handlebars before the first long ride.",
    ]),
    ("river", "The River Through the Valley", [
        "The river rises in the mountains and flows through a wide green valley to the sea. Mills "
        "once stood along its banks, grinding grain for the surrounding villages.",
        "Canoeists paddle the calm stretch below the old stone bridge. Beginners should carry their "
        "boats around the weirs, where the current can be dangerous.",
        "Trout and grayling live in the clear water. Anglers need a permit and must respect the "
        "closed season and the minimum size of the fish they keep.",
    ]),
    ("school", "The First Day at School", [
        "The headteacher welcomed the new pupils in the playground. Each child received a bag with "
        "crayons, exercise books and a first reader.",
        "The teacher played a game to learn everyone's name. Every child said what they liked doing "
        "and which animal they had at home; most of them had a cat or a dog.",
        "At the end of the day the children painted pictures of their families. The pictures hang "
        "in the corridor where parents and older pupils can admire them.",
    ]),
    ("recycling", "Recycling Made Simple", [
        "Sort paper, plastic, glass and metal into separate containers. Rinse bottles and tins "
        "before recycling them so that they do not contaminate the other materials.",
        "Batteries, paint and electronic devices are hazardous waste. Take them to the collection "
        "point rather than putting them in the household bin.",
        "Recycling saves energy and raw materials. Reducing packaging and repairing things instead "
        "of replacing them is even better for the environment.",
    ]),
]

# Covered by both indexes: a leaflet with Slovak and English pages.
BILINGUAL = ("sprievodca_guide", "Sprievodca hradom / Castle Guide", [
    "Hrad stojí na vápencovom brale nad riekou. Prehliadka trvá hodinu a vedie cez nádvorie, "
    "rytiersku sálu, kaplnku a vežu, z ktorej je výhľad na celé údolie.",
    "The castle stands on a limestone crag above the river. The guided tour takes an hour and "
    "leads through the courtyard, the knights' hall, the chapel and the tower.",
    "Vstupenky predávame pri bráne. Tickets are sold at the gate. Deti do šiestich rokov majú "
    "vstup zdarma; children under six go free.",
])
