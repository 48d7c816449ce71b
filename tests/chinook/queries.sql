-- Questions over the public Chinook sample, each answered by one SELECT written the way
-- tutorials and exercise solutions write them. tst_realqueries reads them back as designs
-- on SQLite, PostgreSQL and MariaDB.
--
-- How the file reads:
--   "-- N. question"   starts a question (N counts from 1, one after another).
--   "-- ordered"       after it: the ORDER BY ends in a unique key (or on values the data
--                      holds once only), so the rows come in that one order.
--   "-- sqlite:", "-- pg:", "-- mariadb:", "-- sqlite, pg:" ...
--                      the statement after it is for those engines only; a question without
--                      such a line has one statement for all three.
--   A statement ends with ";" at the end of a line. {Name} is a table or field of the sample,
--   written as each engine's copy spells it (PostgreSQL's is in snake case: {InvoiceLine}
--   is invoice_line there). Other lines starting with "--" are comments.
-- Every statement gives the same rows each time it runs on an engine: a LIMIT follows an
-- ORDER BY on a unique key, money totals are rounded to cents where they are ranked.

-- 1. The tracks of the first album, in track order
-- ordered
SELECT {TrackId}, {Name}, {Milliseconds} FROM {Track} WHERE {AlbumId} = 1 ORDER BY {TrackId};

-- 2. Customers from Brazil
SELECT {FirstName}, {LastName}, {City} FROM {Customer} WHERE {Country} = 'Brazil';

-- 3. Every sales support agent
SELECT * FROM {Employee} WHERE {Title} = 'Sales Support Agent';

-- 4. The countries invoices were billed to
-- ordered
SELECT DISTINCT {BillingCountry} FROM {Invoice} ORDER BY {BillingCountry};

-- 5. The invoices of Brazilian customers, with the customer's name
SELECT c.{FirstName}, c.{LastName}, i.{InvoiceId}, i.{InvoiceDate}, i.{BillingCountry}
FROM {Invoice} i JOIN {Customer} c ON i.{CustomerId} = c.{CustomerId}
WHERE c.{Country} = 'Brazil';

-- 6. The invoices each sales agent's customers paid
SELECT e.{FirstName}, e.{LastName}, i.{InvoiceId}
FROM {Employee} e
JOIN {Customer} c ON c.{SupportRepId} = e.{EmployeeId}
JOIN {Invoice} i ON i.{CustomerId} = c.{CustomerId};

-- 7. The tracks of Aerosmith's albums, with the album title
SELECT {Album}.{Title}, {Track}.{Name}
FROM {Album}, {Track}
WHERE {Album}.{AlbumId} = {Track}.{AlbumId} AND {Album}.{ArtistId} = 3;

-- 8. How many customers each country has
SELECT {Country}, COUNT(*) FROM {Customer} GROUP BY {Country};

-- 9. Total sales per billing country
-- ordered
SELECT {BillingCountry}, SUM({Total}) FROM {Invoice} GROUP BY {BillingCountry} ORDER BY {BillingCountry};

-- 10. How many tracks each genre has
SELECT g.{Name}, COUNT(*) FROM {Genre} g JOIN {Track} t ON t.{GenreId} = g.{GenreId} GROUP BY g.{Name};

-- 11. Countries with more than five customers
SELECT {Country}, COUNT(*) FROM {Customer} GROUP BY {Country} HAVING COUNT(*) > 5;

-- 12. The five longest tracks
-- ordered
SELECT {Name}, {Milliseconds} FROM {Track} ORDER BY {Milliseconds} DESC, {TrackId} LIMIT 5;

-- 13. How many tracks each playlist has
SELECT p.{Name}, COUNT(pt.{TrackId})
FROM {Playlist} p JOIN {PlaylistTrack} pt ON pt.{PlaylistId} = p.{PlaylistId}
GROUP BY p.{PlaylistId}, p.{Name};

-- 14. Tracks Mick Jagger wrote
SELECT {Name}, {Composer} FROM {Track} WHERE {Composer} LIKE '%Jagger%';

-- 15. Customers who gave no company
SELECT {FirstName}, {LastName}, {Email} FROM {Customer} WHERE {Company} IS NULL;

-- 16. Rock tracks of between 200 and 210 seconds
SELECT {Name}, {Milliseconds} FROM {Track}
WHERE {Milliseconds} BETWEEN 200000 AND 210000 AND {GenreId} = 1;

-- 17. MPEG tracks of jazz, metal or pop
SELECT {Name}, {GenreId} FROM {Track} WHERE {GenreId} IN (2, 3, 9) AND {MediaTypeId} = 1;

-- 18. The shortest and longest track of each album
SELECT {AlbumId}, MIN({Milliseconds}), MAX({Milliseconds}) FROM {Track} GROUP BY {AlbumId};

-- 19. How many invoices each customer has
SELECT c.{CustomerId}, c.{FirstName}, c.{LastName}, COUNT(i.{InvoiceId})
FROM {Customer} c JOIN {Invoice} i ON i.{CustomerId} = c.{CustomerId}
GROUP BY c.{CustomerId}, c.{FirstName}, c.{LastName};

-- 20. The tracks of one album with their genre and media type
SELECT t.{Name}, g.{Name}, m.{Name}
FROM {Track} t
JOIN {Genre} g ON t.{GenreId} = g.{GenreId}
JOIN {MediaType} m ON t.{MediaTypeId} = m.{MediaTypeId}
WHERE t.{AlbumId} = 10;

-- 21. Artists without an album
SELECT ar.{ArtistId}, ar.{Name}
FROM {Artist} ar LEFT JOIN {Album} al ON al.{ArtistId} = ar.{ArtistId}
WHERE al.{AlbumId} IS NULL;

-- 22. Every genre with its number of tracks
SELECT g.{Name}, COUNT(t.{TrackId})
FROM {Genre} g LEFT JOIN {Track} t ON t.{GenreId} = g.{GenreId}
GROUP BY g.{Name};

-- 23. Each customer with the employee who looks after them
-- ordered
SELECT c.{FirstName}, c.{LastName}, e.{FirstName}, e.{LastName}
FROM {Customer} c JOIN {Employee} e ON c.{SupportRepId} = e.{EmployeeId}
ORDER BY c.{CustomerId};

-- 24. How many tracks there are
SELECT COUNT(*) FROM {Track};

-- 25. How many cities invoices went to
SELECT COUNT(DISTINCT {BillingCity}) FROM {Invoice};

-- 26. How many customers bought in each country
SELECT {BillingCountry}, COUNT(DISTINCT {CustomerId}) FROM {Invoice} GROUP BY {BillingCountry};

-- 27. Albums with twenty tracks or more, largest first
SELECT {AlbumId}, COUNT(*) FROM {Track} GROUP BY {AlbumId} HAVING COUNT(*) >= 20 ORDER BY COUNT(*) DESC;

-- 28. Everyone who bought a rock track, by email
-- ordered
SELECT DISTINCT c.{Email}, c.{FirstName}, c.{LastName}
FROM {Customer} c
JOIN {Invoice} i ON c.{CustomerId} = i.{CustomerId}
JOIN {InvoiceLine} il ON i.{InvoiceId} = il.{InvoiceId}
JOIN {Track} t ON il.{TrackId} = t.{TrackId}
JOIN {Genre} g ON t.{GenreId} = g.{GenreId}
WHERE g.{Name} = 'Rock'
ORDER BY c.{Email};

-- 29. The genres by name
-- ordered
SELECT * FROM {Genre} ORDER BY {Name};

-- 30. The invoices of customer 2, newest first
SELECT {InvoiceId}, {InvoiceDate}, {Total} FROM {Invoice} WHERE {CustomerId} = 2 ORDER BY {InvoiceDate} DESC;

-- 31. German customers with their support rep, if any
SELECT c.{CustomerId}, c.{LastName}, e.{LastName}
FROM {Customer} c LEFT OUTER JOIN {Employee} e ON c.{SupportRepId} = e.{EmployeeId}
WHERE c.{Country} = 'Germany';

-- 32. The tracks of the Grunge playlist
SELECT {Playlist}.{Name}, {Track}.{Name}
FROM {Playlist}
INNER JOIN {PlaylistTrack} ON {Playlist}.{PlaylistId} = {PlaylistTrack}.{PlaylistId}
INNER JOIN {Track} ON {PlaylistTrack}.{TrackId} = {Track}.{TrackId}
WHERE {Playlist}.{PlaylistId} = 16;

-- 33. Album titles of Iron Maiden, title first
SELECT {Title}, {AlbumId} FROM {Album} WHERE {ArtistId} = 90;

-- 34. Canadian customers, with readable column names
SELECT {FirstName} AS given_name, {LastName} AS surname, {Email} AS email_address
FROM {Customer} WHERE {Country} = 'Canada';

-- 35. Employees, surname first
SELECT {LastName} AS surname, {FirstName} AS first, {Title} AS job FROM {Employee};

-- 36. Invoices per country, most first
-- ordered
SELECT {BillingCountry} AS country, COUNT(*) AS invoices
FROM {Invoice}
GROUP BY {BillingCountry}
ORDER BY invoices DESC, country;

-- 37. The five customers who spent most
-- ordered
SELECT c.{CustomerId}, c.{FirstName}, c.{LastName}, ROUND(SUM(i.{Total}), 2) AS total_spent
FROM {Customer} c JOIN {Invoice} i ON c.{CustomerId} = i.{CustomerId}
GROUP BY c.{CustomerId}, c.{FirstName}, c.{LastName}
ORDER BY total_spent DESC, c.{CustomerId}
LIMIT 5;

-- 38. The third page of ten tracks
-- ordered
SELECT {TrackId}, {Name} FROM {Track} ORDER BY {TrackId} LIMIT 10 OFFSET 20;

-- 39. The second page of five customers by surname
-- ordered
-- sqlite, mariadb:
SELECT {CustomerId}, {LastName}, {FirstName} FROM {Customer} ORDER BY {LastName}, {CustomerId} LIMIT 5, 5;
-- pg:
SELECT {CustomerId}, {LastName}, {FirstName} FROM {Customer} ORDER BY {LastName}, {CustomerId} OFFSET 5 ROWS FETCH FIRST 5 ROWS ONLY;

-- 40. Invoices whose lines come to more than 15
SELECT {InvoiceId}, SUM({UnitPrice} * {Quantity}) AS amount
FROM {InvoiceLine}
GROUP BY {InvoiceId}
HAVING SUM({UnitPrice} * {Quantity}) > 15;

-- 41. Revenue per genre, largest first
SELECT g.{Name} AS genre, ROUND(SUM(il.{UnitPrice} * il.{Quantity}), 2) AS revenue
FROM {InvoiceLine} il
JOIN {Track} t ON il.{TrackId} = t.{TrackId}
JOIN {Genre} g ON t.{GenreId} = g.{GenreId}
GROUP BY g.{Name}
ORDER BY revenue DESC;

-- 42. Rock tracks nobody bought
SELECT {TrackId}, {Name} FROM {Track}
WHERE {TrackId} NOT IN (SELECT {TrackId} FROM {InvoiceLine}) AND {GenreId} = 1;

-- 43. Customers who paid an invoice of more than 20
SELECT {FirstName}, {LastName} FROM {Customer}
WHERE {CustomerId} IN (SELECT {CustomerId} FROM {Invoice} WHERE {Total} > 20);

-- 44. Artists with a live album
SELECT ar.{Name} FROM {Artist} ar
WHERE EXISTS (SELECT 1 FROM {Album} al WHERE al.{ArtistId} = ar.{ArtistId} AND al.{Title} LIKE '%Live%');

-- 45. Employees who look after no customer
SELECT e.{EmployeeId}, e.{LastName} FROM {Employee} e
WHERE NOT EXISTS (SELECT * FROM {Customer} c WHERE c.{SupportRepId} = e.{EmployeeId});

-- 46. Invoices above the average
SELECT {InvoiceId}, {Total} FROM {Invoice} WHERE {Total} > (SELECT AVG({Total}) FROM {Invoice});

-- 47. Tracks of the Heavy Metal Classic playlist
SELECT {TrackId}, {Name} FROM {Track}
WHERE {TrackId} IN (SELECT pt.{TrackId} FROM {PlaylistTrack} pt JOIN {Playlist} p ON p.{PlaylistId} = pt.{PlaylistId}
                    WHERE p.{Name} = 'Heavy Metal Classic');

-- 48. Albums of Led Zeppelin with their number of tracks
SELECT a.{Title}, (SELECT COUNT(*) FROM {Track} t WHERE t.{AlbumId} = a.{AlbumId}) AS tracks
FROM {Album} a WHERE a.{ArtistId} = 22;

-- 49. The average number of tracks on an album
SELECT ROUND(AVG(track_count), 2) AS average_tracks
FROM (SELECT {AlbumId}, COUNT(*) AS track_count FROM {Track} GROUP BY {AlbumId}) AS per_album;

-- 50. Customers who spent more than 45, with their country
SELECT c.{Country}, c.{LastName}, x.spent
FROM {Customer} c
JOIN (SELECT {CustomerId}, ROUND(SUM({Total}), 2) AS spent FROM {Invoice} GROUP BY {CustomerId}) x
  ON x.{CustomerId} = c.{CustomerId}
WHERE x.spent > 45;

-- 51. Countries that bought more than 100, most first
-- ordered
WITH country_sales AS (
  SELECT {BillingCountry} AS country, ROUND(SUM({Total}), 2) AS sales
  FROM {Invoice}
  GROUP BY {BillingCountry}
)
SELECT country, sales FROM country_sales WHERE sales > 100 ORDER BY sales DESC, country;

-- 52. The most bought genre of each country
-- ordered
WITH genre_country AS (
  SELECT i.{BillingCountry} AS country, g.{Name} AS genre, COUNT(*) AS purchases
  FROM {Invoice} i
  JOIN {InvoiceLine} il ON il.{InvoiceId} = i.{InvoiceId}
  JOIN {Track} t ON t.{TrackId} = il.{TrackId}
  JOIN {Genre} g ON g.{GenreId} = t.{GenreId}
  GROUP BY i.{BillingCountry}, g.{Name}
),
best AS (
  SELECT country, MAX(purchases) AS most FROM genre_country GROUP BY country
)
SELECT gc.country, gc.genre, gc.purchases
FROM genre_country gc JOIN best b ON b.country = gc.country AND b.most = gc.purchases
ORDER BY gc.country, gc.genre;

-- 53. Every employee with their manager
SELECT e.{FirstName}, e.{LastName}, m.{FirstName} AS manager_first, m.{LastName} AS manager_last
FROM {Employee} e LEFT JOIN {Employee} m ON e.{ReportsTo} = m.{EmployeeId};

-- 54. How many people report to each manager
SELECT m.{EmployeeId}, m.{LastName}, COUNT(*) AS reports
FROM {Employee} m JOIN {Employee} e ON e.{ReportsTo} = m.{EmployeeId}
GROUP BY m.{EmployeeId}, m.{LastName};

-- 55. Who reports to the sales manager
SELECT e.{LastName}, m.{LastName} FROM {Employee} e, {Employee} m
WHERE e.{ReportsTo} = m.{EmployeeId} AND m.{Title} = 'Sales Manager';

-- 56. Employees hired before their manager
SELECT e.{EmployeeId}, e.{HireDate}, m.{HireDate}
FROM {Employee} e INNER JOIN {Employee} m ON e.{ReportsTo} = m.{EmployeeId}
WHERE e.{HireDate} < m.{HireDate};

-- 57. Track lengths of an album in seconds
SELECT {Name}, {Milliseconds} / 1000 AS seconds FROM {Track} WHERE {AlbumId} = 3;

-- 58. French customers by full name
-- sqlite, pg:
SELECT {FirstName} || ' ' || {LastName} AS full_name, {Email} FROM {Customer} WHERE {Country} = 'France';
-- mariadb:
SELECT CONCAT({FirstName}, ' ', {LastName}) AS full_name, {Email} FROM {Customer} WHERE {Country} = 'France';

-- 59. Each employee's name with their manager's name
-- sqlite, pg:
SELECT e.{FirstName} || ' ' || e.{LastName} AS employee, m.{FirstName} || ' ' || m.{LastName} AS manager
FROM {Employee} e JOIN {Employee} m ON e.{ReportsTo} = m.{EmployeeId};
-- mariadb:
SELECT CONCAT(e.{FirstName}, ' ', e.{LastName}) AS employee, CONCAT(m.{FirstName}, ' ', m.{LastName}) AS manager
FROM {Employee} e JOIN {Employee} m ON e.{ReportsTo} = m.{EmployeeId};

-- 60. Track lengths of the first album in minutes
SELECT {Name}, ROUND({Milliseconds} / 60000.0, 2) AS minutes FROM {Track} WHERE {AlbumId} = 1;

-- 61. American customers and their company, or n/a
SELECT {FirstName}, {LastName}, COALESCE({Company}, 'n/a') AS company FROM {Customer} WHERE {Country} = 'USA';

-- 62. Each customer's city with the state, or the country where there is none
SELECT {City}, COALESCE({State}, {Country}) AS region FROM {Customer};

-- 63. Employees' surnames in capitals
SELECT UPPER({LastName}), {FirstName} FROM {Employee};

-- 64. The five tracks with the longest names
-- ordered
SELECT {TrackId}, {Name}, LENGTH({Name}) AS name_length
FROM {Track}
ORDER BY name_length DESC, {TrackId}
LIMIT 5;

-- 65. The first ten letters of each genre's name
SELECT {GenreId}, SUBSTR({Name}, 1, 10) AS short_name FROM {Genre};

-- 66. Tracks of an album as short, medium or long
SELECT {Name},
       CASE WHEN {Milliseconds} < 180000 THEN 'short'
            WHEN {Milliseconds} < 360000 THEN 'medium'
            ELSE 'long' END AS length_class
FROM {Track} WHERE {AlbumId} = 4;

-- 67. How many invoices are large and how many small
SELECT CASE WHEN {Total} >= 10 THEN 'large' ELSE 'small' END AS invoice_size, COUNT(*) AS invoices
FROM {Invoice}
GROUP BY CASE WHEN {Total} >= 10 THEN 'large' ELSE 'small' END;

-- 68. Countries ranked by sales
SELECT {BillingCountry}, ROUND(SUM({Total}), 2) AS sales,
       RANK() OVER (ORDER BY ROUND(SUM({Total}), 2) DESC) AS sales_rank
FROM {Invoice}
GROUP BY {BillingCountry};

-- 69. The invoices of the first three customers, numbered per customer
SELECT {CustomerId}, {InvoiceId}, {Total},
       ROW_NUMBER() OVER (PARTITION BY {CustomerId} ORDER BY {InvoiceDate}, {InvoiceId}) AS nth
FROM {Invoice}
WHERE {CustomerId} <= 3;

-- 70. A running total of customer 5's invoices
SELECT {InvoiceId}, {Total}, SUM({Total}) OVER (ORDER BY {InvoiceId}) AS running_total
FROM {Invoice}
WHERE {CustomerId} = 5;

-- 71. Jazz or metal tracks of the first albums
SELECT {Name}, {GenreId}, {UnitPrice} FROM {Track}
WHERE {AlbumId} < 20 AND ({GenreId} = 2 OR {GenreId} = 3);

-- 72. Customers outside North America
SELECT {CustomerId}, {Country}, {City} FROM {Customer}
WHERE NOT ({Country} = 'USA' OR {Country} = 'Canada');

-- 73. Customers outside the three largest markets
SELECT {CustomerId}, {LastName}, {Country} FROM {Customer} WHERE {Country} NOT IN ('USA', 'Canada', 'Brazil');

-- 74. German invoices over 10 and French ones over 15
SELECT {InvoiceId}, {BillingCountry}, {Total} FROM {Invoice}
WHERE {BillingCountry} = 'Germany' AND {Total} > 10 OR {BillingCountry} = 'France' AND {Total} > 15;

-- 75. Tracks and album titles of AC/DC, joined on the album
SELECT {Title}, {Name} FROM {Album} JOIN {Track} USING ({AlbumId}) WHERE {ArtistId} = 1;

-- 76. Artists whose name starts with B, with their albums
SELECT {Name}, {Title} FROM {Artist} JOIN {Album} USING ({ArtistId}) WHERE {Name} LIKE 'B%';

-- 77. The cities of customers and employees
SELECT {City}, {Country} FROM {Customer}
UNION
SELECT {City}, {Country} FROM {Employee};

-- 78. Canadian customers and all employees in one list
SELECT {FirstName}, {LastName}, 'customer' AS kind FROM {Customer} WHERE {Country} = 'Canada'
UNION ALL
SELECT {FirstName}, {LastName}, 'employee' FROM {Employee}
ORDER BY 2, 1;

-- 79. The email addresses of American customers and of the staff
-- ordered
SELECT {Email} FROM {Customer} WHERE {Country} = 'USA'
UNION
SELECT {Email} FROM {Employee}
ORDER BY {Email};

-- 80. Invoices and sales per year
-- sqlite:
SELECT strftime('%Y', {InvoiceDate}) AS invoice_year, COUNT(*) AS invoices, ROUND(SUM({Total}), 2) AS sales
FROM {Invoice} GROUP BY strftime('%Y', {InvoiceDate});
-- pg, mariadb:
SELECT EXTRACT(YEAR FROM {InvoiceDate}) AS invoice_year, COUNT(*) AS invoices, ROUND(SUM({Total}), 2) AS sales
FROM {Invoice} GROUP BY EXTRACT(YEAR FROM {InvoiceDate});

-- 81. Invoices and sales of 2023
SELECT COUNT(*), ROUND(SUM({Total}), 2) FROM {Invoice} WHERE {InvoiceDate} BETWEEN '2023-01-01' AND '2023-12-31';

-- 82. Sales per month of 2024
-- sqlite:
SELECT strftime('%m', {InvoiceDate}) AS invoice_month, ROUND(SUM({Total}), 2) AS sales
FROM {Invoice} WHERE strftime('%Y', {InvoiceDate}) = '2024'
GROUP BY strftime('%m', {InvoiceDate});
-- pg, mariadb:
SELECT EXTRACT(MONTH FROM {InvoiceDate}) AS invoice_month, ROUND(SUM({Total}), 2) AS sales
FROM {Invoice} WHERE EXTRACT(YEAR FROM {InvoiceDate}) = 2024
GROUP BY EXTRACT(MONTH FROM {InvoiceDate});

-- 83. Tracks and average price per media type
SELECT m.{Name}, COUNT(*) AS tracks, ROUND(AVG(t.{UnitPrice}), 2) AS average_price
FROM {MediaType} m JOIN {Track} t ON t.{MediaTypeId} = m.{MediaTypeId}
GROUP BY m.{Name};

-- 84. The three playlists with most tracks
-- ordered
SELECT p.{PlaylistId}, p.{Name}, COUNT(*) AS track_count
FROM {Playlist} p JOIN {PlaylistTrack} pt ON p.{PlaylistId} = pt.{PlaylistId}
GROUP BY p.{PlaylistId}, p.{Name}
ORDER BY track_count DESC, p.{PlaylistId}
LIMIT 3;

-- 85. Each sales agent's sales
SELECT e.{FirstName} AS agent_first, e.{LastName} AS agent_last, ROUND(SUM(i.{Total}), 2) AS sales
FROM {Employee} e
JOIN {Customer} c ON c.{SupportRepId} = e.{EmployeeId}
JOIN {Invoice} i ON i.{CustomerId} = c.{CustomerId}
GROUP BY e.{EmployeeId}, e.{FirstName}, e.{LastName}
ORDER BY sales DESC;

-- 86. The ten tracks sold most often
-- ordered
SELECT t.{Name}, COUNT(*) AS times_sold
FROM {InvoiceLine} il JOIN {Track} t ON t.{TrackId} = il.{TrackId}
GROUP BY t.{TrackId}, t.{Name}
ORDER BY times_sold DESC, t.{TrackId}
LIMIT 10;

-- 87. The ten artists with most rock tracks
-- ordered
SELECT ar.{ArtistId}, ar.{Name}, COUNT(t.{TrackId}) AS songs
FROM {Artist} ar
JOIN {Album} al ON al.{ArtistId} = ar.{ArtistId}
JOIN {Track} t ON t.{AlbumId} = al.{AlbumId}
JOIN {Genre} g ON g.{GenreId} = t.{GenreId}
WHERE g.{Name} = 'Rock'
GROUP BY ar.{ArtistId}, ar.{Name}
ORDER BY songs DESC, ar.{ArtistId}
LIMIT 10;

-- 88. Invoices above their country's average
SELECT i.{InvoiceId}, i.{BillingCountry}, i.{Total} FROM {Invoice} i
WHERE i.{Total} > (SELECT AVG(i2.{Total}) FROM {Invoice} i2 WHERE i2.{BillingCountry} = i.{BillingCountry});

-- 89. Each genre's share of the tracks, in percent
SELECT {GenreId}, COUNT(*) AS tracks, ROUND(100.0 * COUNT(*) / (SELECT COUNT(*) FROM {Track}), 2) AS percent
FROM {Track}
GROUP BY {GenreId};

-- 90. Genres of which no track was sold
SELECT {GenreId}, {Name} FROM {Genre}
WHERE {GenreId} NOT IN (SELECT t.{GenreId} FROM {InvoiceLine} il JOIN {Track} t ON t.{TrackId} = il.{TrackId});

-- 91. The genres Brazilian customers bought
SELECT DISTINCT g.{Name}
FROM {Customer} c
JOIN {Invoice} i ON i.{CustomerId} = c.{CustomerId}
JOIN {InvoiceLine} il ON il.{InvoiceId} = i.{InvoiceId}
JOIN {Track} t ON t.{TrackId} = il.{TrackId}
JOIN {Genre} g ON g.{GenreId} = t.{GenreId}
WHERE c.{Country} = 'Brazil';

-- 92. Customers who bought from ten genres or more
SELECT i.{CustomerId}, COUNT(DISTINCT t.{GenreId}) AS genres
FROM {Invoice} i
JOIN {InvoiceLine} il ON il.{InvoiceId} = i.{InvoiceId}
JOIN {Track} t ON t.{TrackId} = il.{TrackId}
GROUP BY i.{CustomerId}
HAVING COUNT(DISTINCT t.{GenreId}) >= 10;

-- 93. The longest track of each of the first ten albums
SELECT * FROM (
  SELECT {AlbumId}, {Name}, {Milliseconds},
         ROW_NUMBER() OVER (PARTITION BY {AlbumId} ORDER BY {Milliseconds} DESC, {TrackId}) AS rn
  FROM {Track}
) ranked
WHERE rn = 1 AND {AlbumId} <= 10;

-- 94. Blues tracks ranked by price within their media type
SELECT {TrackId}, {MediaTypeId}, {UnitPrice},
       DENSE_RANK() OVER (PARTITION BY {MediaTypeId} ORDER BY {UnitPrice} DESC) AS price_rank
FROM {Track}
WHERE {GenreId} = 6;

-- 95. Customer 2's invoices with the total of the one before
SELECT {InvoiceId}, {Total}, LAG({Total}) OVER (ORDER BY {InvoiceId}) AS previous_total
FROM {Invoice}
WHERE {CustomerId} = 2;

-- 96. Each album's length in minutes, longest first
-- ordered
SELECT al.{AlbumId}, al.{Title}, ROUND(SUM(t.{Milliseconds}) / 60000.0, 1) AS minutes
FROM {Album} al JOIN {Track} t ON t.{AlbumId} = al.{AlbumId}
GROUP BY al.{AlbumId}, al.{Title}
ORDER BY minutes DESC, al.{AlbumId}
LIMIT 10;

-- 97. Customers of each country who spent most in it
WITH spent AS (
  SELECT c.{CustomerId}, c.{Country}, ROUND(SUM(i.{Total}), 2) AS total
  FROM {Customer} c JOIN {Invoice} i ON i.{CustomerId} = c.{CustomerId}
  GROUP BY c.{CustomerId}, c.{Country}
)
SELECT s.{Country}, s.{CustomerId}, s.total
FROM spent s
WHERE s.total = (SELECT MAX(s2.total) FROM spent s2 WHERE s2.{Country} = s.{Country});

-- 98. Albums with their artist, title first, in alphabetical order
-- ordered
SELECT al.{Title} AS album, ar.{Name} AS artist
FROM {Album} al JOIN {Artist} ar ON ar.{ArtistId} = al.{ArtistId}
ORDER BY album, al.{AlbumId}
LIMIT 15;

-- 99. Total quantity sold per track of album 5
SELECT t.{TrackId}, t.{Name}, SUM(il.{Quantity}) AS sold
FROM {Track} t LEFT JOIN {InvoiceLine} il ON il.{TrackId} = t.{TrackId}
WHERE t.{AlbumId} = 5
GROUP BY t.{TrackId}, t.{Name};

-- 100. How many tracks each artist has, for artists with more than 50
SELECT ar.{Name}, COUNT(*) AS tracks
FROM {Artist} ar, {Album} al, {Track} t
WHERE al.{ArtistId} = ar.{ArtistId} AND t.{AlbumId} = al.{AlbumId}
GROUP BY ar.{Name}
HAVING COUNT(*) > 50;
